// The export to MusicXML from the main window: the command asks for a file through the file
// dialog and writes every part with the analysis shown; it belongs to harmony exercises alone.

#include "main_window_fixture.h"

#include "document/har_exercis.h"
#include "harmony/definitor.h"
#include "musicxml/export_checks.h"
#include "platform/recording_ui.h"

#include <QAction>
#include <QFileDialog>
#include <QToolButton>

using namespace pw;

namespace {

class MusicXmlExportWindow : public MainWindowFixture
{
protected:
    // Answers the next file dialog with name, or cancels it; keeps what the dialog offered.
    void answerFileDialog(const std::optional<std::filesystem::path> &name)
    {
        QTimer::singleShot(0, [this, name] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            offered = dialog->windowTitle().toStdString() + "|" + dialog->defaultSuffix().toStdString() + "|"
                + dialog->nameFilters().join(";").toStdString();
            if (!name) {
                QMetaObject::invokeMethod(dialog, "reject");
                return;
            }
            dialog->selectFile(QString::fromStdString(name->string()));
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }
    void openCadence()
    {
        window->OpenLesson(LessonKind::HarmonyExercise, "xml\\Cadence-example.xml", "");
        settle();
    }
    QAction *exportAction() const { return child<QAction>("mExport"); }

    std::string offered;
};

TEST_F(MusicXmlExportWindow, TheCommandWritesEveryPartWithTheAnalysisShown)
{
    start();
    openCadence();
    ASSERT_NE(exportAction(), nullptr);
    EXPECT_EQ(exportAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(exportAction()->text().toStdString(), "Экспорт в MusicXML…");
    // A name typed without a suffix gets the MusicXML one.
    answerFileDialog(folder / "cadence");
    exportAction()->trigger();
    settle();
    EXPECT_EQ(offered, "Экспорт в MusicXML…|musicxml|MusicXML (*.musicxml *.xml)");
    const std::filesystem::path written = folder / "cadence.musicxml";
    ASSERT_TRUE(std::filesystem::exists(written));

    const pwtest::ReadScore score = pwtest::ReadMusicXml(read(written));
    RecordingUi ui;
    const TMusDefinitor labels(folder / "xml" / "definitor.xml", ui);
    pwtest::ExpectScoreOf(window->exercise(), score, &labels);
    ASSERT_EQ(score.sections.size(), 2u);
    EXPECT_EQ(score.sections[1].words, "Упражнение 2");
    EXPECT_EQ(score.partName, "Хор");
    EXPECT_EQ(score.title, "Cadence-example");
    std::vector<std::string> chords;
    for (const pwtest::ScoreNote &note : score.notes) {
        if (note.voice == 4 && note.lyrics.count(1))
            chords.push_back(note.lyrics.at(1));
    }
    EXPECT_EQ(chords, (std::vector<std::string> {"T", "S", "D", "T", "T", "S", "D", "T"}))
        << "the worked example is shown with its analysis";
}

TEST_F(MusicXmlExportWindow, ACancelledDialogWritesNothingAndAFailedWriteSaysWhy)
{
    start();
    openCadence();
    answerFileDialog(std::nullopt);
    EXPECT_FALSE(window->ExportMusicXml());
    EXPECT_FALSE(offered.empty()) << "the dialog was asked";

    const std::filesystem::path target = write("kept.musicxml", "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    std::vector<std::string> told;
    answerEveryMessage(&told);
    answerFileDialog(target);
    EXPECT_FALSE(window->ExportMusicXml());
    settle();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(),
              "Не сохранено|Экспорт в MusicXML не записан.\nНе удалось записать файл " + target.string()
                  + ": the file is read-only");
    EXPECT_EQ(read(target), "old");
    EXPECT_FALSE(window->paused()) << "the lesson goes on after the dialog";
}

// While an examination hides the analysis, the export leaves it out too.
TEST_F(MusicXmlExportWindow, AnExaminationIsExportedWithoutItsHiddenAnalysis)
{
    start();
    openExercise("exam.xml", CadenceExercise("Exam=\"Y\" LimitMin=\"5\" CountIteration=\"1\""));
    for (int note : {48, 55, 60, 64})
        playByKey(note);
    ASSERT_LT(window->exercise().ExamState, 0);
    answerFileDialog(folder / "exam.musicxml");
    EXPECT_TRUE(window->ExportMusicXml());
    const pwtest::ReadScore score = pwtest::ReadMusicXml(read(folder / "exam.musicxml"));
    EXPECT_EQ(score.problems, std::vector<std::string> {});
    ASSERT_EQ(score.notes.size(), 4u) << "the chord written so far";
    for (const pwtest::ScoreNote &note : score.notes)
        EXPECT_TRUE(note.lyrics.empty()) << "voice " << note.voice;
}

TEST_F(MusicXmlExportWindow, TheButtonAndTheCommandBelongToHarmonyExercises)
{
    start({"-l", "English"});
    openCadence();
    auto *button = child<QToolButton>("tbExport");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisibleTo(window.get()));
    EXPECT_EQ(button->toolTip().toStdString(),
              "Write the exercise with its analysis into a MusicXML file (Ctrl+E)");
    EXPECT_EQ(exportAction()->text().toStdString(), "Export to MusicXML…");
    EXPECT_TRUE(exportAction()->isEnabled());

    window->OpenLesson(LessonKind::Summary, "html\\SummaryHelp0.html", "");
    settle();
    EXPECT_FALSE(button->isVisibleTo(window.get()));
    EXPECT_FALSE(exportAction()->isEnabled());
    // Called all the same, outside an exercise it asks nothing and writes nothing.
    answerFileDialog(folder / "page");
    EXPECT_FALSE(window->ExportMusicXml());
    settle();
    EXPECT_TRUE(offered.empty());
}

} // namespace

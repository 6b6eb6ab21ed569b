// With -l English the program speaks English everywhere: every lesson kind, dialog, notice and
// message box is searched for Cyrillic letters and double spaces.

#include "main_window_fixture.h"

#include "document/har_exercis.h"
#include "document/xml_file.h"
#include "panels/bottom_notes.h"
#include "platform/recording_canvas.h"
#include "shell/course_activation.h"
#include "shell/course_trees.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTreeWidget>

#include <set>

using namespace pw;

namespace {

bool hasCyrillic(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    }
    return false;
}

// Every text a widget and its children show: captions, titles, tooltips, items, pages.
std::vector<std::pair<QString, QString>> shownTexts(QWidget *root)
{
    std::vector<std::pair<QString, QString>> texts;
    std::vector<QWidget *> widgets {root};
    for (QWidget *child : root->findChildren<QWidget *>())
        widgets.push_back(child);
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        const QString where = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
        texts.push_back({where, w->windowTitle()});
        texts.push_back({where, w->toolTip()});
        if (auto *label = qobject_cast<QLabel *>(w))
            texts.push_back({where, label->text()});
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts.push_back({where, button->text()});
        if (auto *box = qobject_cast<QGroupBox *>(w))
            texts.push_back({where, box->title()});
        if (auto *line = qobject_cast<QLineEdit *>(w))
            texts.push_back({where, line->placeholderText()});
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts.push_back({where, combo->itemText(i)});
        }
        if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                texts.push_back({where, (*it)->text(0)});
        }
        if (auto *page = qobject_cast<QTextBrowser *>(w))
            texts.push_back({where, page->toPlainText()});
        for (QAction *action : w->actions()) {
            texts.push_back({where, action->text()});
            texts.push_back({where, action->toolTip()});
        }
    }
    return texts;
}

class English : public MainWindowFixture
{
protected:
    // Fails for every text of the widget that is not English.
    void expectEnglish(QWidget *root, const std::string &what)
    {
        for (const auto &[where, text] : shownTexts(root)) {
            EXPECT_FALSE(hasCyrillic(text))
                << what << ": " << where.toStdString() << " shows \"" << text.toStdString() << "\"";
            if (!qobject_cast<QTextBrowser *>(root->findChild<QWidget *>(where)))
                EXPECT_FALSE(text.contains("  ")) << what << ": " << where.toStdString() << " \""
                                                  << text.toStdString() << "\" has a double space";
        }
    }
    void expectWindowEnglish(const std::string &what)
    {
        settle();
        expectEnglish(window.get(), what);
    }
    // Checks the next modal dialog or message box once it is up, then closes it.
    void checkNextModal(const std::string &what, bool *seen)
    {
        QTimer::singleShot(50, [this, what, seen] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                ADD_FAILURE() << what << " did not come up";
                return;
            }
            *seen = true;
            expectEnglish(modal, what);
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (QAbstractButton *no = box->button(QMessageBox::No))
                    no->click();
                else if (QAbstractButton *cancel = box->button(QMessageBox::Cancel))
                    cancel->click();
                else
                    box->accept();
            } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                dialog->reject();
            }
        });
    }
};

} // namespace

// Every bundled drill: its pause page, its panel, what it draws, and its time-out message.
TEST_F(English, TheBundledDrillsSpeakEnglish)
{
    for (const char *picture : {"drill-keyboard.jpg", "drill-staff.jpg"})
        std::filesystem::copy_file(std::filesystem::path(PARTWRITER_PROGRAM_DIR) / "html" / picture,
                                   folder / "html" / picture,
                                   std::filesystem::copy_options::overwrite_existing);
    start({"-l", "English"});
    pugi::xml_document menu;
    ASSERT_TRUE(ReadXmlFile(menu, folder / "xml" / "Menu.xml"));
    int drills = 0;
    for (const pugi::xpath_node &found : menu.select_nodes("//Item[@Type='MusNoteDefine']")) {
        const XmlNode item = found.node();
        const std::string what = "the drill " + GetAttr(item, "TextEnglish");
        TCourseLesson lesson;
        lesson.LessonType = "MusNoteDefine";
        lesson.LessonParm = item.child("Parm");
        lesson.PauseFile = GetAttr(lesson.LessonParm, "PauseFile");
        window->OpenCourseLesson(lesson);
        expectWindowEnglish(what + " behind its pause page");
        key(Qt::Key_Space);
        expectWindowEnglish(what);
        auto *panel = child<TBottomNotes>("TBottomNotes");
        ASSERT_TRUE(panel) << what;
        ASSERT_FALSE(panel->Drill().Waiting()) << what;
        for (int second = 0; second < 100 && panel->Drill().Outcome() == DrillOutcome::Open; ++second)
            window->CountdownTick();
        EXPECT_EQ(panel->Drill().Outcome(), DrillOutcome::TimeOut) << what;
        RecordingCanvas canvas;
        panel->Paint(canvas);
        int texts = 0;
        for (const RecordingCanvas::Call &call : canvas.of(RecordingCanvas::Kind::Text)) {
            ++texts;
            EXPECT_FALSE(hasCyrillic(QString::fromStdString(call.text))) << what << " draws " << call.text;
        }
        EXPECT_GT(texts, 0) << what;
        ++drills;
    }
    EXPECT_GE(drills, 6);
}

TEST_F(English, EveryLessonDialogAndNoticeIsInEnglish)
{
    // No MIDI input and the notice not silenced: it comes up at start.
    write("parms.xml",
          "<Parameters welcomed=\"Y\"><MidiInput/><MidiOutput><Dev>Test out</Dev></MidiOutput></Parameters>");
    start({"-l", "English"});
    bool notice = false;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "TnoMidiTotal" && top->isVisible()) {
            notice = true;
            expectEnglish(top, "the no-MIDI notice");
            top->close();
        }
    }
    EXPECT_TRUE(notice);
    expectWindowEnglish("the start lesson");

    TCourseTrees &trees = window->courseTrees();
    ASSERT_TRUE(trees.ActivateLesson("MyResults", ""));
    expectWindowEnglish("my results, none yet");
    EXPECT_TRUE(child<QTextBrowser>("wb")->toPlainText().contains("Your results will appear here"));
    for (const char *page :
         {"html\\theory-functions.html", "html\\theory-spacing.html", "html\\theory-connecting.html",
          "html\\theory-cadences.html", "html\\theory-sixth-chords.html", "html\\theory-minor.html"}) {
        ASSERT_TRUE(trees.ActivateLesson("HTMLText", page));
        expectWindowEnglish(page);
    }
    for (const char *exercise : {"xml\\Cadence-example.xml", "xml\\Soprano-minor.xml",
                                 "xml\\Positions-major.xml", "xml\\Melody-degrees.xml", "xml\\empty.xml"}) {
        ASSERT_TRUE(trees.ActivateLesson("MusHarmonyExercise", exercise));
        expectWindowEnglish(exercise);
    }
    // The test and the question sheet, behind their pause pages and then their questions; the
    // test run out of time to its mark.
    for (const auto &[type, file] :
         {std::pair {"Quest", "xml\\quest-theory.xml"}, std::pair {"AccTask", "xml\\task-sheet.xml"}}) {
        ASSERT_TRUE(trees.ActivateLesson(type, file)) << file;
        expectWindowEnglish(std::string(file) + " behind its pause page");
        if (window->paused())
            key(Qt::Key_Space);
        expectWindowEnglish(file);
    }
    ASSERT_TRUE(trees.ActivateLesson("Quest", "xml\\quest-theory.xml"));
    if (window->paused())
        key(Qt::Key_Space);
    for (int second = 0; second < 3600 && !shown("sResult"); ++second)
        window->CountdownTick();
    EXPECT_TRUE(shown("sResult"));
    expectWindowEnglish("the test's mark");

    // Contents tab and headings.
    child<QAbstractButton>("tbMenuCont")->click();
    expectWindowEnglish("the contents tab");
    child<QAbstractButton>("tbMenuStandart")->click();

    // A drill without parameters, a kind this version does not know, and a video lesson.
    for (LessonKind kind : {LessonKind::NoteDrill, LessonKind::Unknown}) {
        window->OpenLesson(kind, "xml\\anything.xml", "");
        expectWindowEnglish("a lesson of kind " + std::to_string(int(kind)));
    }
    // Without OpenGL (the offscreen platform has none) a 3D lesson says so and shows the notice.
    std::string noGl;
    closeNextMessage(&noGl);
    window->OpenLesson(LessonKind::Scene3D, "xml\\plain-scene.xml", "");
    expectWindowEnglish("a 3D lesson without OpenGL");
    EXPECT_EQ(noGl, "Error|3D scenes are drawn with OpenGL, which this display does not offer");
    window->OpenLesson(LessonKind::Video, "video\\missing.webm", "");
    expectWindowEnglish("a video lesson");

    // Dialogs: the parameters of the empty template, the MIDI dialog, the about window, the key map.
    ASSERT_TRUE(trees.ActivateLesson("MusHarmonyExercise", "xml\\empty.xml"));
    settle();
    bool seen = false;
    checkNextModal("the parameters dialog", &seen);
    window->SetParmsDialog();
    EXPECT_TRUE(seen);
    seen = false;
    checkNextModal("the MIDI dialog", &seen);
    window->MidiDialog();
    EXPECT_TRUE(seen);
    seen = false;
    checkNextModal("the about window", &seen);
    window->AboutDialog();
    EXPECT_TRUE(seen);
    window->ToggleKeyMap();
    settle();
    auto *keys = window->findChild<QDialog *>("TfKeys");
    ASSERT_NE(keys, nullptr);
    expectEnglish(keys, "the key map");
    EXPECT_TRUE(
        keys->findChild<QTextBrowser *>()->toPlainText().contains("Notes from the computer keyboard"));
    window->ToggleKeyMap();

    // Message boxes: leaving unsaved work, handing in an unfinished attempt.
    window->NoteHandler(0, 144, 48, 90);
    settle();
    seen = false;
    checkNextModal("the unsaved-work question", &seen);
    trees.ActivateLesson("HTMLText", "html\\theory-functions.html");
    EXPECT_TRUE(seen);
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();

    openExercise("timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"1\""));
    seen = false;
    checkNextModal("the hand-in question", &seen);
    window->CompleteTask();
    EXPECT_TRUE(seen);
    // The review line, then the result panel.
    window->CountdownTick();
    window->task().LimitMin = 0;
    window->task().LimitSec = 1;
    window->CountdownTick();
    expectWindowEnglish("the review of an attempt");
    EXPECT_TRUE(child<QLabel>("lWhy")->text().startsWith("Attempt 1 of 1"));
    key(Qt::Key_Space);
    expectWindowEnglish("the result");

    // The test and the exercise, recorded, on the results page with its chart.
    ASSERT_TRUE(trees.ActivateLesson("MyResults", ""));
    expectWindowEnglish("my results");
    const QString results = child<QTextBrowser>("wb")->toPlainText();
    EXPECT_TRUE(results.contains("Theory test (Tests)")) << results.toStdString();
    EXPECT_TRUE(results.contains("xml\\timed.xml (Harmonisation exercises)")) << results.toStdString();
    EXPECT_TRUE(results.contains("Export as CSV…"));
    EXPECT_TRUE(results.contains("Date\nMark\nMistakes\nAttempts\nTime")) << results.toStdString();
}

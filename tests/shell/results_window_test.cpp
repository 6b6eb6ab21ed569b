// The progress log in the main window: finished lessons recorded with their marks, counts and
// time, and the "My results" page built from them, with its chart and its CSV export.

#include "main_window_fixture.h"

#include "platform/recording_ui.h"
#include "progress/progress_csv.h"
#include "progress/progress_database.h"
#include "progress/progress_log.h"
#include "shell/course_activation.h"
#include "shell/course_trees.h"
#include "shell/page_pane.h"
#include "shell/results_page.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>

using namespace pw;

namespace {

// Two questions, the first item of each box right; 20 seconds.
constexpr const char *TwoQuestions = R"(<?xml version="1.0" encoding="UTF-8"?>
<Test><QS LimitMin="0" LimitSec="20" Count="2">
  <Q><T><V V="*" Text="Квинта от до" TextE="Fifth above C"/></T>
     <A><V Text="соль" TextE="G"><R R="1"/></V><V Text="фа" TextE="F"/></A></Q>
  <Q><T><V V="*" Text="Терция от до" TextE="Third above C"/></T>
     <A><V Text="ми" TextE="E"><R R="1"/></V><V Text="ре" TextE="D"/></A></Q>
</QS></Test>
)";

class ResultsWindow : public MainWindowFixture
{
protected:
    // The window, its countdown moved by the test's ticks alone, so that the seconds used are known.
    void begin()
    {
        start();
        child<QTimer>("Timer1")->setInterval(24 * 3600 * 1000);
    }
    // The test opened as the tree opens it, three seconds on the clock, then handed in with every
    // box answered by its item (0 is right).
    void takeTest(int firstAnswer, int secondAnswer)
    {
        write("xml/two.xml", TwoQuestions);
        TCourseLesson lesson;
        lesson.LessonType = "Quest";
        lesson.LessonFile = "xml\\two.xml";
        lesson.LessonTitle = caption;
        window->OpenCourseLesson(lesson);
        settle();
        for (int second = 0; second < 3; ++second)
            window->CountdownTick();
        const QList<QComboBox *> boxes = child<QWidget>("p3d")->findChildren<QComboBox *>("box0");
        ASSERT_EQ(boxes.size(), 2);
        for (QComboBox *box : boxes) {
            const bool fifth = box->itemText(0) == "соль" || box->itemText(0) == "G";
            box->setCurrentIndex(fifth ? firstAnswer : secondAnswer);
        }
        child<QAbstractButton>("qFin")->click();
        settle();
        ASSERT_TRUE(shown("sResult"));
    }
    void openResults()
    {
        ASSERT_TRUE(window->courseTrees().ActivateLesson("MyResults", ""));
        settle();
    }
    TPagePane *page() const { return child<TPagePane>("wb"); }
    QString pageText() const { return page()->toPlainText(); }
    QImage chart() const
    {
        return page()
            ->document()
            ->resource(QTextDocument::ImageResource, QUrl(QString("partwriter:") + ResultsChartName))
            .value<QImage>();
    }
    std::vector<ProgressEntry> logged() const
    {
        const std::optional<std::vector<ProgressEntry>> entries = ReadProgressFile(progressFile());
        return entries ? *entries : std::vector<ProgressEntry> {};
    }

    std::string caption = "Два вопроса";
};

} // namespace

TEST_F(ResultsWindow, AFinishedTestIsRecordedWithItsMarkCountsAndTime)
{
    begin();
    takeTest(0, 1);
    const std::vector<ProgressEntry> entries = logged();
    ASSERT_EQ(entries.size(), 1u);
    const ProgressEntry &e = entries.front();
    EXPECT_EQ(e.menuFile, "xml\\Menu.xml");
    EXPECT_EQ(e.lessonFile, "xml\\two.xml");
    EXPECT_EQ(e.lessonCaption, "Два вопроса");
    EXPECT_EQ(e.kind, "Quest");
    EXPECT_EQ(e.mark, 4) << "one wrong of two: 5 - trunc(3 * 1 / 2)";
    EXPECT_EQ(e.attempts, 2);
    EXPECT_EQ(e.errors, 1);
    EXPECT_EQ(e.secondsUsed, 3);
    EXPECT_EQ(e.language, "Russian");
    const QDateTime at = QDateTime::fromString(QString::fromStdString(e.finishedAt), Qt::ISODate);
    EXPECT_TRUE(at.isValid()) << e.finishedAt;
    EXPECT_LE(std::abs(at.secsTo(QDateTime::currentDateTime())), 3600) << "recorded now";
}

TEST_F(ResultsWindow, MyResultsShowsATablePerLessonNewestFirstAndTheChart)
{
    begin();
    openResults();
    EXPECT_TRUE(shown("wb"));
    EXPECT_TRUE(pageText().contains("Здесь появятся ваши результаты")) << pageText().toStdString();
    EXPECT_FALSE(pageText().contains("Экспорт в CSV"));
    EXPECT_TRUE(chart().isNull());

    takeTest(0, 1);
    caption = "Другой тест";
    takeTest(0, 0);
    openResults();
    const QString text = pageText();
    EXPECT_TRUE(text.startsWith("Мои результаты")) << text.toStdString();
    EXPECT_TRUE(text.contains("Экспорт в CSV…"));
    // Both lessons share their file: one table, the newest row first.
    EXPECT_EQ(text.count("Дата"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("Другой тест (Тесты)"));
    const qsizetype five = text.indexOf("\n5\n0\n2\n0:03");
    const qsizetype four = text.indexOf("\n4\n1\n2\n0:03");
    EXPECT_GE(five, 0) << text.toStdString();
    EXPECT_GT(four, five) << text.toStdString();
    const QString today = QDateTime::currentDateTime().toString("dd.MM.yyyy");
    EXPECT_TRUE(text.contains(today)) << text.toStdString();
    const QImage picture = chart();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(640, 320));
    EXPECT_TRUE(page()->toHtml().contains("partwriter:results-chart.png"));
}

// The button is a link on the page: Tab reaches it and Enter presses it, as a click would.
TEST_F(ResultsWindow, TheExportButtonSavesTheLogAsCsv)
{
    begin();
    takeTest(0, 0);
    openResults();
    const std::string target = (folder / "results.csv").string();
    QTimer::singleShot(0, [target] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->selectFile(QString::fromStdString(target));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    page()->setFocus();
    QTest::keyClick(page(), Qt::Key_Tab);
    ASSERT_EQ(page()->textCursor().charFormat().anchorHref(), "partwriter:export-csv");
    QTest::keyClick(page(), Qt::Key_Return);
    settle();
    const std::string csv = read(target);
    EXPECT_EQ(csv, ProgressCsv(logged()));
    EXPECT_NE(csv.find(",xml\\two.xml,Два вопроса,Quest,"), std::string::npos) << csv;
    EXPECT_TRUE(pageText().startsWith("Мои результаты")) << "the page stays";
}

// A damaged log is told about once, set aside, and the results go on being kept.
TEST_F(ResultsWindow, ADamagedLogIsToldOnceAndANewOneKeepsTheResult)
{
    std::filesystem::create_directories(progressFile().parent_path());
    std::ofstream(progressFile(), std::ios::binary) << "this is no database";
    begin();
    std::vector<std::string> told;
    answerEveryMessage(&told);
    takeTest(0, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].starts_with("Журнал результатов|Журнал результатов " + progressFile().string()
                                    + " был повреждён: он переименован в "))
        << told[0];
    EXPECT_EQ(logged().size(), 1u);
    openResults();
    EXPECT_TRUE(pageText().contains("Два вопроса"));
    EXPECT_EQ(told.size(), 1u);
}

// The page is built anew each time it is opened.
TEST_F(ResultsWindow, AHarmonySeriesAppearsTheNextTimeThePageOpens)
{
    begin();
    openResults();
    EXPECT_TRUE(pageText().contains("Здесь появятся"));
    openExercise("timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"1\""));
    window->CountdownTick();
    for (int note : CadenceNotes)
        playByKey(note);
    key(Qt::Key_Space);
    ASSERT_TRUE(shown("sResult"));
    settle();
    const std::vector<ProgressEntry> entries = logged();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, "MusHarmonyExercise");
    EXPECT_EQ(entries[0].lessonFile, "xml\\timed.xml");
    EXPECT_EQ(entries[0].lessonCaption, "xml\\timed.xml")
        << "a lesson without a caption is named by its file";
    EXPECT_EQ(entries[0].mark, 5);
    EXPECT_EQ(entries[0].attempts, 1);
    EXPECT_EQ(entries[0].errors, 0);
    EXPECT_EQ(entries[0].secondsUsed, 1);
    openResults();
    EXPECT_TRUE(pageText().contains("xml\\timed.xml (Упражнения на гармонизацию)"))
        << pageText().toStdString();
    EXPECT_FALSE(chart().isNull());
}

// A test taken in Russian is named in English in an English run, and shares its table.
TEST_F(ResultsWindow, LessonsDoneInAnotherLanguageAreNamedInThisOne)
{
    {
        RecordingUi ui;
        ProgressLog log(progressFile(), ui);
        for (const auto &[caption, language] :
             {std::pair {"Тест по теории", "Russian"}, std::pair {"Theory test", "English"}}) {
            ProgressEntry e;
            e.menuFile = "xml\\Menu.xml";
            e.lessonFile = "xml\\quest-theory.xml";
            e.lessonCaption = caption;
            e.kind = "Quest";
            e.finishedAt = "2024-05-01T14:03:22+02:00";
            e.mark = 4;
            e.language = language;
            ASSERT_TRUE(log.Record(e));
        }
    }
    start({"-l", "English"});
    openResults();
    const QString text = pageText();
    EXPECT_EQ(text.count("Theory test (Tests)"), 1) << text.toStdString();
    EXPECT_FALSE(text.contains("Тест")) << text.toStdString();
}

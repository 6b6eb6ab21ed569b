// The "My results" page as built from log entries: tables per lesson, newest first, values left
// out shown as dashes, texts escaped, and the chart of marks.

#include "config/localization.h"
#include "shell/results_page.h"

#include <gtest/gtest.h>

#include <QTextDocument>

using namespace pw;

namespace {

ProgressEntry entry(const std::string &kind, const std::string &file, const std::string &caption,
                    const std::string &at, std::optional<int> mark)
{
    ProgressEntry e;
    e.kind = kind;
    e.lessonFile = file;
    e.lessonCaption = caption;
    e.finishedAt = at;
    e.mark = mark;
    e.attempts = 3;
    e.errors = 1;
    e.secondsUsed = 125;
    e.language = "Russian";
    return e;
}

QString plain(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

// The share of the picture that is not white.
double inked(const QImage &image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    }
    return static_cast<double>(ink) / (image.width() * image.height());
}

} // namespace

TEST(ResultsPage, LessonsAreOrderedByTheirNewestEntryAndRowsNewestFirst)
{
    Localization russian;
    // In the log's order: oldest first. The drill has no file: its caption names it.
    std::vector<ProgressEntry> log {
        entry("Quest", "xml\\quest.xml", "Тест <по теории>", "2024-05-01T10:00:00+00:00", 3),
        entry("MusNoteDefine", "", "Белые клавиши", "2024-05-02T10:00:00+00:00", 4),
        entry("Quest", "xml\\quest.xml", "Тест <по теории>", "2024-05-03T10:00:00+00:00", 5),
    };
    log[1].secondsUsed = std::nullopt;
    log[1].mark = std::nullopt;
    const ResultsPage page = BuildResultsPage(log, russian, true);
    EXPECT_TRUE(page.html.contains("Тест &lt;по теории&gt;")) << "captions are text, not markup";
    const QString text = plain(page.html);
    const qsizetype test = text.indexOf("Тест <по теории> (Тесты)");
    const qsizetype drill = text.indexOf("Белые клавиши (Тренировка слуха)");
    ASSERT_GE(test, 0) << text.toStdString();
    EXPECT_GT(drill, test) << "the test was done last";
    const qsizetype five = text.indexOf("\n5\n1\n3\n2:05");
    const qsizetype three = text.indexOf("\n3\n1\n3\n2:05");
    EXPECT_GT(five, test);
    EXPECT_GT(three, five) << "its newer row first";
    EXPECT_LT(three, drill);
    EXPECT_GT(text.indexOf("\n—\n1\n3\n—"), drill) << "no mark and no time limit: dashes";
    EXPECT_FALSE(page.chart.isNull());
    EXPECT_TRUE(page.html.contains("src=\"partwriter:results-chart.png\""));
    EXPECT_TRUE(page.html.contains("href=\"partwriter:export-csv\""));
}

TEST(ResultsPage, AnEmptyLogHasAFriendlyLineAndNoChart)
{
    Localization russian;
    ResultsPage page = BuildResultsPage({}, russian, true);
    EXPECT_EQ(plain(page.html),
              "Мои результаты\nЗдесь появятся ваши результаты, когда вы закончите первое "
              "упражнение, тренировку или тест.");
    EXPECT_TRUE(page.chart.isNull());
    page = BuildResultsPage({}, russian, false);
    EXPECT_TRUE(plain(page.html).contains("Журнал результатов в этом сеансе не ведётся."));
    // Entries without marks have nothing to chart.
    page = BuildResultsPage(
        {entry("AccTask", "xml\\sheet.xml", "Лист", "2024-05-01T10:00:00+00:00", std::nullopt)}, russian,
        true);
    EXPECT_TRUE(page.chart.isNull());
    EXPECT_FALSE(page.html.contains("<img"));
}

TEST(ResultsPage, TheChartDrawsTheMarks)
{
    Localization russian;
    const std::vector<ProgressEntry> one {entry("Quest", "q.xml", "Тест", "2024-05-01T10:00:00+00:00", 4)};
    std::vector<ProgressEntry> many = one;
    for (int day = 2; day <= 9; ++day) {
        many.push_back(entry(day % 2 ? "Quest" : "MusHarmonyExercise", "e.xml", "Упражнение",
                             "2024-05-0" + std::to_string(day) + "T10:00:00+00:00", 2 + day % 4));
    }
    const QImage single = BuildResultsPage(one, russian, true).chart;
    const QImage lines = BuildResultsPage(many, russian, true).chart;
    ASSERT_EQ(lines.size(), QSize(640, 320));
    EXPECT_GT(inked(single), 0.01) << "axes, grid and one point";
    EXPECT_GT(inked(lines), inked(single)) << "two lines of marks add ink";
}

// The student's results in the main window: each finished series, drill and test recorded in the
// progress log once its result is on screen, and the "My results" page built from the log.

#include "shell/main_window.h"

#include "config/save_failure.h"
#include "platform/error.h"
#include "progress/progress_log.h"
#include "shell/course_menu.h"
#include "shell/course_trees.h"
#include "shell/page_pane.h"
#include "shell/results_page.h"

#include <QDir>
#include <QTimer>

namespace pw {

namespace {

constexpr const char *ResultsPageName = "results";
constexpr const char *CsvFilter = "CSV (*.csv);;* (*)";

} // namespace

void TForm1::recordResult(std::optional<int> mark, int attempts, int errors)
{
    ProgressEntry entry;
    // Named as the data directory holds it, whatever the case sys.xml gives.
    entry.menuFile = "xml\\" + MenuFilePath(m_tdm).filename().string();
    entry.lessonFile = m_lessonFile;
    entry.lessonCaption = m_lessonTitle.empty() ? m_lessonFile : m_lessonTitle;
    entry.kind = lessonType();
    entry.finishedAt = ProgressTimeNow();
    entry.mark = mark;
    entry.attempts = attempts;
    entry.errors = errors;
    entry.secondsUsed = m_task.SecondsUsed;
    entry.language = m_tdm.Language;
    // Off the road of the notes: the result is drawn first, the log is written in the next turn of
    // the event loop (one INSERT, well under a millisecond; bench_progress).
    QTimer::singleShot(0, this, [this, entry] { m_progress->Record(entry); });
}

void TForm1::openResults()
{
    ResetVideo();
    arrange(Panes::Page);
    std::vector<ProgressEntry> entries = m_progress->Entries();
    // Lessons done in another language are named in this one, and share their table.
    for (ProgressEntry &entry : entries)
        entry.lessonCaption
            = MenuCaption(m_trees->Menu(), entry.kind, entry.lessonFile, entry.lessonCaption, m_tdm.Language);
    ResultsPage page = BuildResultsPage(entries, m_texts, m_progress->IsOn());
    std::map<QString, QImage> pictures;
    if (!page.chart.isNull())
        pictures.emplace(ResultsChartName, std::move(page.chart));
    m_page->ShowGenerated(TPagePane::ProgramAddress(ResultsPageName), page.html, std::move(pictures));
}

void TForm1::exportResults()
{
    const std::string proposed = (QDir::homePath() + "/partwriter-results.csv").toStdString();
    const std::optional<std::string> chosen
        = m_ui.saveFileName(m_texts.Text("MyResults", "ExportCaption"), proposed, "csv", CsvFilter);
    if (!chosen)
        return;
    try {
        m_progress->WriteCsv(*chosen);
    } catch (const Error &e) {
        ReportSaveFailure(m_ui, m_texts, "ResultsNotSaved", e);
    }
}

} // namespace pw

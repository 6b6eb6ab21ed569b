#include "shell/results_page.h"

#include "config/localization.h"
#include "shell/page_pane.h"
#include "shell/results_chart.h"

#include <QDateTime>

#include <map>

namespace pw {

namespace {

constexpr QSize ChartSize(640, 320);
const char *const NoValue = "—";

QString text(const Localization &texts, const std::string &id)
{
    return QString::fromStdString(texts.Text("MyResults", id)).toHtmlEscaped();
}

QString kindName(const Localization &texts, const std::string &kind)
{
    const std::string name = texts.Text("MyResults", "Kind" + kind);
    return QString::fromStdString(name.empty() ? kind : name);
}

QString dateOf(const ProgressEntry &entry, const QString &format)
{
    const QString iso = QString::fromStdString(entry.finishedAt);
    const QDateTime at = QDateTime::fromString(iso, Qt::ISODate);
    return at.isValid() ? at.toLocalTime().toString(format) : iso;
}

QString timeOf(const std::optional<int> &seconds)
{
    if (!seconds)
        return NoValue;
    return QString("%1:%2").arg(*seconds / 60).arg(*seconds % 60, 2, 10, QChar('0'));
}

QString cell(const QString &value, const char *tag = "td")
{
    return QString("<%1>%2</%1>").arg(tag, value);
}

// One lesson's table, its newest entry first.
QString lessonTable(const std::vector<const ProgressEntry *> &newestFirst, const Localization &texts)
{
    const ProgressEntry &newest = *newestFirst.front();
    const QString caption = QString::fromStdString(newest.lessonCaption).toHtmlEscaped();
    QString html
        = "<h3>" + caption + " <small>(" + kindName(texts, newest.kind).toHtmlEscaped() + ")</small></h3>";
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr>";
    for (const char *id : {"Date", "Mark", "Errors", "Attempts", "Time"})
        html += cell(text(texts, id), "th");
    html += "</tr>";
    const QString format = QString::fromStdString(texts.Text("MyResults", "DateFormat"));
    for (const ProgressEntry *e : newestFirst) {
        html += "<tr>" + cell(dateOf(*e, format).toHtmlEscaped())
            + cell(e->mark ? QString::number(*e->mark) : QString(NoValue)) + cell(QString::number(e->errors))
            + cell(QString::number(e->attempts)) + cell(timeOf(e->secondsUsed)) + "</tr>";
    }
    return html + "</table>";
}

} // namespace

ResultsPage BuildResultsPage(const std::vector<ProgressEntry> &entries, const Localization &texts, bool logOn)
{
    ResultsPage page;
    QString &html = page.html;
    html = "<html><body><h2>" + text(texts, "Title") + "</h2>";
    if (!logOn)
        html += "<p>" + text(texts, "LogOff") + "</p>";
    if (entries.empty()) {
        html += "<p>" + text(texts, "Empty") + "</p></body></html>";
        return page;
    }
    const QString scheme = QString(TPagePane::Scheme) + ":";
    // Drawn as a button: a framed grey cell around the link, which Tab reaches and Enter follows.
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"6\"><tr><td bgcolor=\"#e6e6e6\"><a href=\""
        + scheme + ExportResultsCommand + "\" style=\"color:#000000; text-decoration:none\">"
        + text(texts, "Export") + "</a></td></tr></table>";

    const bool marked
        = std::any_of(entries.begin(), entries.end(), [](const ProgressEntry &e) { return e.mark; });
    if (marked) {
        const MarksChartTexts chartTexts {
            QString::fromStdString(texts.Text("MyResults", "Chart")),
            QString::fromStdString(texts.Text("MyResults", "ChartDateFormat")),
            QString::fromStdString(texts.Text("MyResults", "ChartTimeFormat")),
            [&texts](const std::string &kind) { return kindName(texts, kind); }};
        page.chart = DrawMarksChart(entries, chartTexts, ChartSize);
        html += QString("<p><img src=\"%1%2\" width=\"%3\" height=\"%4\"></p>")
                    .arg(scheme, ResultsChartName)
                    .arg(ChartSize.width())
                    .arg(ChartSize.height());
    }

    // Lessons in the order of their newest entry, newest first.
    std::vector<std::string> order;
    std::map<std::string, std::vector<const ProgressEntry *>> lessons;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        std::vector<const ProgressEntry *> &rows = lessons[LessonKey(*e)];
        if (rows.empty())
            order.push_back(LessonKey(*e));
        rows.push_back(&*e);
    }
    for (const std::string &key : order)
        html += lessonTable(lessons[key], texts);
    return page;
}

} // namespace pw

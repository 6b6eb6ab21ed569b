#pragma once

#include "progress/progress_entry.h"

#include <QImage>
#include <QString>

#include <vector>

namespace pw {

class Localization;

// The "My results" page: its HTML and the chart it shows.
struct ResultsPage
{
    QString html;
    // Null when no entry has a mark.
    QImage chart;
};

// The picture name of the chart in the page, and the command of its export link (both under
// TPagePane::Scheme).
constexpr const char *ResultsChartName = "results-chart.png";
constexpr const char *ExportResultsCommand = "export-csv";

// A table per lesson, newest first (the lesson last done on top), and the chart of marks over
// time per lesson kind, every text in the interface language; with no entries a friendly line,
// and another when the log is off in this run. entries are in the log's order (oldest first).
ResultsPage BuildResultsPage(const std::vector<ProgressEntry> &entries, const Localization &texts,
                             bool logOn);

} // namespace pw

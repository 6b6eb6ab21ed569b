#pragma once

#include "progress/progress_entry.h"

#include <QImage>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace pw {

// What the chart of marks says besides its points.
struct MarksChartTexts
{
    QString title;
    // The QDateTime formats of the time axis' labels: a span of days, and a shorter one.
    QString dateFormat;
    QString timeFormat;
    // The legend's name of a lesson kind (a menu Type).
    std::function<QString(const std::string &kind)> kindName;
};

// Marks over time, one line per lesson kind, drawn offscreen with Qt Charts into an image of the
// given size (entries without a mark are left out). Needs a QApplication.
QImage DrawMarksChart(const std::vector<ProgressEntry> &entries, const MarksChartTexts &texts, QSize size);

} // namespace pw

#include "shell/results_chart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <limits>
#include <map>

namespace pw {

namespace {

constexpr qint64 MinuteMs = 60 * 1000;
constexpr qint64 HourMs = 60 * MinuteMs;
// Within three days the labels tell the hours apart.
constexpr qint64 ShortSpanMs = 72 * HourMs;

} // namespace

QImage DrawMarksChart(const std::vector<ProgressEntry> &entries, const MarksChartTexts &texts, QSize size)
{
    // The scene owns the chart, and the chart its series and axes.
    QGraphicsScene scene;
    auto *chart = new QChart;
    scene.addItem(chart);
    chart->setTitle(texts.title);
    chart->legend()->setAlignment(Qt::AlignBottom);

    std::map<std::string, QLineSeries *> lines;
    qint64 first = std::numeric_limits<qint64>::max();
    qint64 last = std::numeric_limits<qint64>::min();
    for (const ProgressEntry &entry : entries) {
        const QDateTime at = QDateTime::fromString(QString::fromStdString(entry.finishedAt), Qt::ISODate);
        if (!entry.mark || !at.isValid())
            continue;
        QLineSeries *&line = lines[entry.kind];
        if (!line) {
            line = new QLineSeries;
            line->setName(texts.kindName(entry.kind));
            // A kind done once is a point, which a line alone would not show.
            line->setPointsVisible(true);
            chart->addSeries(line);
        }
        const qint64 ms = at.toMSecsSinceEpoch();
        first = std::min(first, ms);
        last = std::max(last, ms);
        line->append(static_cast<qreal>(ms), *entry.mark);
    }

    if (first > last)
        first = last = QDateTime::currentMSecsSinceEpoch();
    auto *time = new QDateTimeAxis;
    time->setFormat(last - first < ShortSpanMs ? texts.timeFormat : texts.dateFormat);
    time->setTickCount(5);
    // A margin keeps the first and last points off the frame; a single moment would make an axis
    // of no length.
    const qint64 margin = std::max((last - first) / 20, MinuteMs);
    time->setRange(QDateTime::fromMSecsSinceEpoch(first - margin),
                   QDateTime::fromMSecsSinceEpoch(last + margin));
    auto *marks = new QValueAxis;
    marks->setRange(1.5, 5.5);
    marks->setTickType(QValueAxis::TicksDynamic);
    marks->setTickAnchor(2);
    marks->setTickInterval(1);
    marks->setLabelFormat("%d");
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(marks, Qt::AlignLeft);
    for (const auto &[kind, line] : lines) {
        line->attachAxis(time);
        line->attachAxis(marks);
    }

    chart->resize(size);
    chart->layout()->activate();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace pw

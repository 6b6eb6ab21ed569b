#include "platform/qpainter_canvas.h"

#include "platform/error.h"
#include "platform/text_fonts.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>

namespace pw {

namespace {

QColor toQColor(Color c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

} // namespace

QtBitmap::QtBitmap(std::string name, QImage image)
    : Bitmap(std::move(name), image.width(), image.height())
    , m_opaque(image.convertToFormat(QImage::Format_ARGB32))
    , m_transparent(m_opaque)
{
    if (m_transparent.isNull())
        return;
    const QRgb background = m_transparent.pixel(0, m_transparent.height() - 1);
    for (int y = 0; y < m_transparent.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(m_transparent.scanLine(y));
        for (int x = 0; x < m_transparent.width(); ++x) {
            if (row[x] == background)
                row[x] = qRgba(0, 0, 0, 0);
        }
    }
}

std::unique_ptr<Bitmap> QtBitmapLoader::load(const std::filesystem::path &file)
{
    QImage image;
    if (!image.load(QString::fromStdString(file.string())))
        throw Error("Cannot load the bitmap " + file.string());
    return std::make_unique<QtBitmap>(file.filename().string(), image);
}

QPainterCanvas::QPainterCanvas(QPaintDevice &device)
    : m_device(device)
    , m_painter(&device)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void QPainterCanvas::line(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return;
    // A flat cap leaves the end point out, as the platform's line does.
    m_painter.setPen(QPen(toQColor(penColor()), penWidth(), Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    m_painter.fillRect(left, top, right - left, bottom - top, toQColor(brush()));
    m_painter.setPen(QPen(toQColor(penColor()), 1));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}

void QPainterCanvas::text(int x, int y, std::string_view utf8)
{
    const CanvasFont &f = font();
    QFont qfont(TextFontFamily(f.name));
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * 96.0 / 72.0))));
    qfont.setBold(f.bold);
    qfont.setUnderline(f.underline);
    m_painter.setFont(qfont);
    m_painter.setPen(toQColor(f.color));
    const QFontMetrics metrics(qfont);
    m_painter.drawText(x, y + metrics.ascent(),
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void QPainterCanvas::bitmap(int x, int y, const Bitmap &bitmap, bool transparent)
{
    const auto *qt = dynamic_cast<const QtBitmap *>(&bitmap);
    if (!qt)
        return;
    m_painter.drawImage(x, y, transparent ? qt->transparent() : qt->opaque());
}

void QPainterCanvas::bitmap(int x, int y, int width, int height, const Bitmap &bitmap, int opacity)
{
    const auto *qt = dynamic_cast<const QtBitmap *>(&bitmap);
    if (!qt || opacity <= 0 || width <= 0 || height <= 0)
        return;
    // Source-over of premultiplied pixels is what QPainter does with this format; the opacity
    // scales every channel alike.
    const QImage premultiplied = qt->opaque().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_painter.save();
    m_painter.setOpacity(std::min(opacity, 255) / 255.0);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter.drawImage(QRect(x, y, width, height), premultiplied);
    m_painter.restore();
}

void QPainterCanvas::fillWhite()
{
    m_painter.fillRect(0, 0, m_device.width(), m_device.height(), Qt::white);
}

} // namespace pw

#include "button_art.h"

#include "panels/panel_bitmaps.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace {

constexpr double Size = pw::panel_bitmaps::ButtonSize;
constexpr double Stroke = 2.6;

// Symbols are drawn in a 32-unit box centred on (16, 16).
QPainterPath rightArrow()
{
    QPainterPath path;
    path.addPolygon(QPolygonF() << QPointF(8.5, 14.5) << QPointF(15.5, 14.5) << QPointF(15.5, 9)
                                << QPointF(24, 16) << QPointF(15.5, 23) << QPointF(15.5, 17.5)
                                << QPointF(8.5, 17.5));
    path.closeSubpath();
    return path;
}

QPainterPath rotated(const QPainterPath &path, double degrees)
{
    QTransform turn;
    turn.translate(Size / 2, Size / 2);
    turn.rotate(degrees);
    turn.translate(-Size / 2, -Size / 2);
    return turn.map(path);
}

void drawStroked(QPainter &p, const QPainterPath &path, const QColor &colour)
{
    p.setPen(QPen(colour, Stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void drawFilled(QPainter &p, const QPainterPath &path, const QColor &colour)
{
    p.setPen(QPen(colour, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(path);
}

void drawSymbol(QPainter &p, const std::string &symbol, const QColor &colour, const QString &fontFamily)
{
    if (symbol == "pause") {
        QPainterPath bars;
        bars.addRoundedRect(QRectF(10, 9, 4.5, 14), 1.2, 1.2);
        bars.addRoundedRect(QRectF(17.5, 9, 4.5, 14), 1.2, 1.2);
        drawFilled(p, bars, colour);
    } else if (symbol == "stop") {
        QPainterPath square;
        square.addRoundedRect(QRectF(10, 10, 12, 12), 1.5, 1.5);
        drawFilled(p, square, colour);
    } else if (symbol == "play") {
        QPainterPath triangle;
        triangle.addPolygon(QPolygonF() << QPointF(12, 8.5) << QPointF(12, 23.5) << QPointF(23.5, 16));
        triangle.closeSubpath();
        drawFilled(p, triangle, colour);
    } else if (symbol == "enter") {
        QPainterPath hook;
        hook.moveTo(22.5, 9);
        hook.lineTo(22.5, 17.5);
        hook.lineTo(13.5, 17.5);
        drawStroked(p, hook, colour);
        QPainterPath head;
        head.addPolygon(QPolygonF() << QPointF(8, 17.5) << QPointF(14, 12.5) << QPointF(14, 22.5));
        head.closeSubpath();
        drawFilled(p, head, colour);
    } else if (symbol == "right") {
        drawFilled(p, rightArrow(), colour);
    } else if (symbol == "down") {
        drawFilled(p, rotated(rightArrow(), 90), colour);
    } else if (symbol == "left") {
        drawFilled(p, rotated(rightArrow(), 180), colour);
    } else if (symbol == "up") {
        drawFilled(p, rotated(rightArrow(), 270), colour);
    } else if (symbol == "undo") {
        // A turn back over the top, ending in a head that points down at the left.
        const QRectF circle(9.5, 10, 14, 14);
        QPainterPath arc;
        arc.arcMoveTo(circle, -35);
        arc.arcTo(circle, -35, 215);
        drawStroked(p, arc, colour);
        QPainterPath head;
        head.addPolygon(QPolygonF() << QPointF(9.5, 23) << QPointF(5, 16) << QPointF(14, 16));
        head.closeSubpath();
        drawFilled(p, head, colour);
    } else if (symbol == "btn_letter") {
        QFont font(fontFamily);
        font.setPixelSize(17);
        font.setBold(true);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRectF(0, 0, Size, Size - 1), Qt::AlignCenter, "A");
    } else if (symbol == "btn_minus" || symbol == "btn_plus") {
        QPainterPath sign;
        sign.setFillRule(Qt::WindingFill);
        sign.addRoundedRect(QRectF(9, 14.5, 14, 3), 1.2, 1.2);
        if (symbol == "btn_plus")
            sign.addRoundedRect(QRectF(14.5, 9, 3, 14), 1.2, 1.2);
        drawFilled(p, sign.simplified(), colour);
    }
}

} // namespace

QImage DrawButton(const std::string &symbol, const art::Face &face, const QString &fontFamily)
{
    QImage image(static_cast<int>(Size), static_cast<int>(Size), QImage::Format_RGB32);
    image.fill(QColor::fromRgb(pw::panel_bitmaps::PanelBackground));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF body(1.5, 1.5, Size - 3, Size - 3);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, face.top);
    fill.setColorAt(1, face.bottom);
    p.setPen(QPen(face.border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, 6, 6);

    // A pressed switch shows its symbol a pixel lower and to the right, as if pushed in.
    if (face.sunken)
        p.translate(0.5, 1);
    drawSymbol(p, symbol, face.glyph, fontFamily);
    return image;
}

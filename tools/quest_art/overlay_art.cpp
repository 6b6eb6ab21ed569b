#include "overlay_art.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace quest_art {

namespace {

// Marks of mistakes and attention in the course's red; brackets group, in the staff's blue.
const QColor Mark(200, 20, 20);
const QColor Group(20, 70, 190);

// A transparent image of the given size with a smooth pen of the given colour and width.
QImage draw(int width, int height, const QColor &color, double pen,
            const std::function<void(QPainter &)> &shape)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(color, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    shape(p);
    p.end();
    return image;
}

// An oval around a whole note head of the exercise staff (about 14 x 9 pixels).
QImage ring()
{
    return draw(28, 22, Mark, 2.5, [](QPainter &p) { p.drawEllipse(QRectF(2.5, 2.5, 23, 17)); });
}

// Points right, from an answer box to what it asks about.
QImage arrow()
{
    return draw(24, 16, Mark, 2.5, [](QPainter &p) {
        p.drawLine(QPointF(2, 8), QPointF(17, 8));
        QPainterPath head;
        head.moveTo(13, 3);
        head.lineTo(22, 8);
        head.lineTo(13, 13);
        head.closeSubpath();
        p.setBrush(Mark);
        p.drawPath(head);
    });
}

// Open downwards over two notes; stretched by the box to the distance between them.
QImage bracket()
{
    return draw(56, 14, Group, 2.0, [](QPainter &p) {
        QPainterPath path;
        path.moveTo(2, 12);
        path.lineTo(2, 3);
        path.lineTo(54, 3);
        path.lineTo(54, 12);
        p.drawPath(path);
    });
}

QImage cross()
{
    return draw(20, 20, Mark, 3.0, [](QPainter &p) {
        p.drawLine(QPointF(3, 3), QPointF(17, 17));
        p.drawLine(QPointF(17, 3), QPointF(3, 17));
    });
}

} // namespace

std::vector<Overlay> DrawOverlays()
{
    return {{"quest_ring", ring()},
            {"quest_arrow", arrow()},
            {"quest_bracket", bracket()},
            {"quest_cross", cross()}};
}

} // namespace quest_art

#include "shell/tree_images.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>

namespace pw {

namespace {

using Draw = std::function<void(QPainter &)>;

const QColor kOutline(70, 70, 80);
const QColor kPaper(255, 255, 255);
const QColor kInk(40, 80, 160);

// Every icon is drawn on a 16-unit square, once per pixel size the trees may ask for.
QIcon iconOf(const Draw &draw)
{
    QIcon icon;
    for (const int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void sheet(QPainter &p)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10.5, 1.5);
    path.lineTo(13.5, 4.5);
    path.lineTo(13.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({{10.5, 1.5}, {10.5, 4.5}, {13.5, 4.5}}));
}

void theoryPage(QPainter &p)
{
    sheet(p);
    p.setPen(QPen(kInk, 1));
    for (const double y : {6.5, 8.5, 10.5, 12.5})
        p.drawLine(QPointF(5, y), QPointF(y == 12.5 ? 9.0 : 12.0, y));
}

void harmonyExercise(QPainter &p)
{
    p.setPen(QPen(kOutline, 0.8));
    for (int line = 0; line < 5; ++line)
        p.drawLine(QPointF(0.5, 4 + 2.0 * line), QPointF(15.5, 4 + 2.0 * line));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 120));
    for (const QPointF centre : {QPointF(4.5, 10), QPointF(4.5, 6), QPointF(11, 8), QPointF(11, 4)}) {
        p.save();
        p.translate(centre);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 2.0, 1.4);
        p.restore();
    }
}

void keyboard(QPainter &p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 3.5, 13, 10));
    for (const double x : {5.5, 9.5})
        p.drawLine(QPointF(x, 3.5), QPointF(x, 13.5));
    p.setBrush(QColor(30, 30, 30));
    p.setPen(Qt::NoPen);
    for (const double x : {4.3, 8.3, 12.3})
        p.drawRect(QRectF(x - 0.2, 3.5, 2.4, 6));
}

void questionnaire(QPainter &p)
{
    p.setPen(QPen(QColor(170, 90, 0), 1));
    p.setBrush(QColor(250, 170, 40));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont font("Sans");
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, "?");
}

void taskSheet(QPainter &p)
{
    sheet(p);
    p.setPen(QPen(QColor(20, 140, 40), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{5.5, 9}, {7.5, 11.5}, {11.5, 6}}));
}

void scene3d(QPainter &p)
{
    p.setPen(QPen(QColor(30, 90, 60), 1));
    p.setBrush(QColor(150, 210, 170));
    p.drawPolygon(QPolygonF({{2.5, 5.5}, {10.5, 5.5}, {10.5, 13.5}, {2.5, 13.5}}));
    p.setBrush(QColor(110, 180, 140));
    p.drawPolygon(QPolygonF({{2.5, 5.5}, {5.5, 2.5}, {13.5, 2.5}, {10.5, 5.5}}));
    p.setBrush(QColor(80, 150, 110));
    p.drawPolygon(QPolygonF({{10.5, 5.5}, {13.5, 2.5}, {13.5, 10.5}, {10.5, 13.5}}));
}

void video(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 60));
    p.drawRect(QRectF(1, 3, 14, 10));
    p.setBrush(kPaper);
    for (double x = 2; x < 15; x += 3) {
        p.drawRect(QRectF(x, 3.8, 1.6, 1.2));
        p.drawRect(QRectF(x, 11, 1.6, 1.2));
    }
    p.setBrush(QColor(230, 80, 60));
    p.drawPolygon(QPolygonF({{6.5, 6}, {10.5, 8}, {6.5, 10}}));
}

void folder(QPainter &p, bool open)
{
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(230, 185, 70));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(250, 215, 110));
    if (open)
        p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    else
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

// A rising line of marks over two axes.
void results(QPainter &p)
{
    p.setPen(QPen(kOutline, 1));
    p.drawPolyline(QPolygonF({{2.5, 1.5}, {2.5, 13.5}, {14.5, 13.5}}));
    p.setPen(QPen(QColor(20, 140, 40), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{4.5, 10.5}, {7.5, 8}, {10, 9.5}, {13.5, 4}}));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const QPointF point : {QPointF(4.5, 10.5), QPointF(7.5, 8), QPointF(10, 9.5), QPointF(13.5, 4)})
        p.drawEllipse(point, 1.2, 1.2);
}

} // namespace

std::vector<QIcon> MakeTreeImageList()
{
    return {iconOf(sheet),
            iconOf(theoryPage),
            iconOf(harmonyExercise),
            iconOf(keyboard),
            iconOf(questionnaire),
            iconOf(taskSheet),
            iconOf(scene3d),
            iconOf(video),
            iconOf([](QPainter &p) { folder(p, false); }),
            iconOf([](QPainter &p) { folder(p, true); }),
            iconOf(results)};
}

std::vector<QPixmap> MakeTabImageList()
{
    std::vector<QPixmap> pictures;
    for (const char *text : {"Курс", "Содержание", "Course", "Contents"}) {
        QPixmap picture(104, 22);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        QFont font("Sans");
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(QColor(30, 30, 40));
        p.drawText(picture.rect(), Qt::AlignCenter, QString::fromUtf8(text));
        pictures.push_back(picture);
    }
    return pictures;
}

} // namespace pw

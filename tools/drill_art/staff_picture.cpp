#include "drill_geometry.h"
#include "drill_pictures.h"

#include <QPainter>

namespace drill_art {

namespace {

using namespace staff;

const QColor Ink(0x10, 0x10, 0x14);
const QColor ColumnRule(0xc8, 0xcc, 0xd2);

// The outline moved so that its bounding box is centred on centre, as the exercise staff places
// its heads.
QPainterPath centredOn(const QPainterPath &path, QPointF centre)
{
    return path.translated(centre - path.boundingRect().center());
}

// Lines are whole pixel rows, so that a line named by its row is drawn on that row.
void row(QPainter &p, int y, int left, int right)
{
    p.fillRect(left, y, right - left, 1, Ink);
}

} // namespace

QImage DrawStaffPicture(const StaffGlyphs &glyphs)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);

    // The columns the drill tells apart, faintly, between the heights the notes use.
    p.setPen(QPen(ColumnRule, 1, Qt::DotLine));
    for (int c = 0; c < Columns; ++c) {
        const double x = FirstColumn + c * ColumnWidth + 0.5;
        p.drawLine(QPointF(x, HeadY(Columns - 1) - 12), QPointF(x, HeadY(0) + 14));
    }

    for (int line = 0; line < 5; ++line)
        row(p, TopLine + line * Space, LineLeft, LineRight);

    // The clef's baseline is the staff's bottom line, as on the exercise staff.
    const QRectF box = glyphs.trebleClef.boundingRect();
    const double clefLeft = LineLeft + 8;
    if (clefLeft + box.width() > ClefRight)
        return {};
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(glyphs.trebleClef.translated(clefLeft - box.left(), BottomLine + 0.5), Ink);

    for (int c = 0; c < Columns; ++c) {
        const int x = ColumnCentre(c);
        const int y = HeadY(c);
        for (int ledger = BottomLine + Space; ledger <= y; ledger += Space)
            row(p, ledger, x - 11, x + 11);
        for (int ledger = TopLine - Space; ledger >= y; ledger -= Space)
            row(p, ledger, x - 11, x + 11);
        p.fillPath(centredOn(glyphs.wholeNote, QPointF(x, y + 0.5)), Ink);
    }
    return image;
}

} // namespace drill_art

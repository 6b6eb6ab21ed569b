#include "drill_geometry.h"
#include "drill_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace drill_art {

namespace {

const QColor WhiteKey(0xfd, 0xfd, 0xfd);
const QColor WhiteKeyFoot(0xe6, 0xe8, 0xeb);
const QColor BlackKey(0x1c, 0x1c, 0x1e);
const QColor Separator(0x55, 0x55, 0x58);
const QColor Label(0x80, 0x80, 0x84);

} // namespace

QImage DrawKeyboardPicture(const QString &labelFamily)
{
    using namespace keyboard;
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);

    // A faint shade toward the front edge, well below the black keys.
    QLinearGradient face(0, BlackBottom + 30, 0, Height);
    face.setColorAt(0, WhiteKey);
    face.setColorAt(1, WhiteKeyFoot);
    p.fillRect(image.rect(), face);

    // Hard one-pixel edges: a blurred edge would move where a key seems to end.
    for (int x = WhiteWidth; x < Width; x += WhiteWidth)
        p.fillRect(x, 0, 1, Height, Separator);
    p.setPen(Separator);
    p.drawRect(0, 0, Width - 1, Height - 1);

    for (int octave = 0; octave < Octaves; ++octave) {
        const int left = octave * OctaveWidth;
        for (const UnitSpan &key : BlackKeys)
            p.fillRect(left + key.first * Unit, 0, (key.last + 1 - key.first) * Unit, BlackBottom, BlackKey);
    }

    QFont font(labelFamily);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(Label);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int octave = 0; octave < Octaves; ++octave) {
        const QRect foot(octave * OctaveWidth, Height - 26, WhiteWidth, 20);
        p.drawText(foot, Qt::AlignCenter, QString("C%1").arg(4 + octave));
    }
    return image;
}

} // namespace drill_art

#include "keyboard_art.h"

#include "art_palette.h"

#include "entry/computer_keys.h"
#include "panels/panel_bitmaps.h"
#include "panels/piano_geometry.h"

#include <QFont>
#include <QPainter>

#include <map>

namespace {

namespace piano = pw::piano;

// The computer key that plays each note offset of the lettered octave, read from the keyboard
// map itself so that the pictures always tell the truth.
std::map<int, QString> keyLetters(OctaveLetters letters)
{
    std::map<int, QString> out;
    if (letters == OctaveLetters::None)
        return out;
    const int shift = letters == OctaveLetters::Upper ? 12 : 0;
    for (int key = 0x20; key < 0x7f; ++key) {
        const int step = pw::StepFromKey(key) - shift;
        if (step >= 3 && step <= 14)
            out[step] = QString(QChar(key));
    }
    return out;
}

int whiteLeft(int index)
{
    return index * piano::WhiteKeyWidth;
}

void drawWhiteKeys(QPainter &p, bool lettered)
{
    const int w = piano::WhiteKeyWidth;
    const int h = piano::OctaveHeight;
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0, lettered ? art::LetteredTop : art::WhiteTop);
    body.setColorAt(0.8, lettered ? art::LetteredTop : art::WhiteTop);
    body.setColorAt(1, lettered ? art::LetteredBottom : art::WhiteBottom);
    p.fillRect(0, 0, piano::OctaveWidth, h, body);
    for (int i = 0; i < piano::WhiteKeyCount; ++i) {
        // Each key owns its right-hand gap, so octaves placed side by side tile evenly.
        p.fillRect(whiteLeft(i) + w - 1, 0, 1, h, art::KeyGap);
        p.fillRect(whiteLeft(i), h - 1, w - 1, 1, art::KeyFront);
    }
    // The felt edge the keys disappear under.
    p.fillRect(0, 0, piano::OctaveWidth, 2, art::KeyBed);
    p.fillRect(0, 2, piano::OctaveWidth, 1, art::KeyGap);
}

void drawBlackKeys(QPainter &p)
{
    const int h = piano::BlackZoneHeight;
    for (const piano::BlackKey &key : piano::BlackKeys) {
        const int width = key.right - key.left + 1;
        p.fillRect(key.left, 0, width, h, art::BlackEdge);
        p.fillRect(key.left + 1, 0, width - 2, h - 7, art::BlackBody);
        p.fillRect(key.left + 1, 2, 1, h - 11, art::BlackShine);
        // The sloping front of the key, lit from above.
        p.fillRect(key.left + 1, h - 7, width - 2, 5, art::BlackFront);
    }
}

void drawLetters(QPainter &p, const std::map<int, QString> &letters, const QString &fontFamily)
{
    QFont whiteFont(fontFamily);
    whiteFont.setPixelSize(10);
    whiteFont.setBold(true);
    QFont blackFont(fontFamily);
    blackFont.setPixelSize(8);
    blackFont.setBold(true);

    for (int i = 0; i < piano::WhiteKeyCount; ++i) {
        const auto found = letters.find(piano::WhiteOffsets[static_cast<std::size_t>(i)]);
        if (found == letters.end())
            continue;
        p.setFont(whiteFont);
        p.setPen(art::WhiteLetter);
        p.drawText(QRect(whiteLeft(i), piano::OctaveHeight - 20, piano::WhiteKeyWidth - 1, 14),
                   Qt::AlignHCenter | Qt::AlignBottom, found->second);
    }
    for (const piano::BlackKey &key : piano::BlackKeys) {
        const auto found = letters.find(key.offset);
        if (found == letters.end())
            continue;
        p.setFont(blackFont);
        p.setPen(art::BlackLetter);
        p.drawText(QRect(key.left, piano::BlackZoneHeight - 20, key.right - key.left + 1, 11),
                   Qt::AlignHCenter | Qt::AlignBottom, found->second);
    }
}

} // namespace

QImage DrawOctave(OctaveLetters letters, const QString &fontFamily)
{
    QImage image(piano::OctaveWidth, piano::OctaveHeight, QImage::Format_RGB32);
    QPainter p(&image);
    drawWhiteKeys(p, letters != OctaveLetters::None);
    drawBlackKeys(p);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawLetters(p, keyLetters(letters), fontFamily);
    return image;
}

QImage DrawFirstOctaveMarker()
{
    QImage image(piano::OctaveWidth, pw::panel_bitmaps::MarkerHeight, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(pw::panel_bitmaps::PanelBackground));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(art::Accent, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double right = piano::OctaveWidth - 2.5;
    QPolygonF bracket;
    bracket << QPointF(2.5, 1) << QPointF(2.5, 5.5) << QPointF(right, 5.5) << QPointF(right, 1);
    p.drawPolyline(bracket);
    return image;
}

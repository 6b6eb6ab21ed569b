#include "panels/octave_painting.h"

#include "panels/piano_geometry.h"

#include "entry/computer_keys.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>

namespace pw {

namespace {

namespace kc = key_colours;

int rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

// The computer key that plays each note offset of the lettered octave, read from the keyboard
// map itself so that the keys always tell the truth.
std::map<int, QString> keyLetters(OctaveLetters letters)
{
    std::map<int, QString> out;
    if (letters == OctaveLetters::None)
        return out;
    const int shift = letters == OctaveLetters::Upper ? 12 : 0;
    for (int key = 0x20; key < 0x7f; ++key) {
        const int step = StepFromKey(key) - shift;
        if (step >= piano::FirstOffset && step <= piano::LastOffset)
            out[step] = QString(QChar(key));
    }
    return out;
}

bool pressedKey(OctaveKeys pressed, int offset)
{
    return pressed.test(static_cast<std::size_t>(offset - piano::FirstOffset));
}

struct Grid
{
    double whiteWidth;
    int height;
    int blackZone;

    int whiteLeft(int index) const { return rounded(index * whiteWidth); }
};

void paintWhiteKeys(QPainter &p, const Grid &g, bool lettered, OctaveKeys pressed)
{
    const int h = g.height;
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0, lettered ? kc::LetteredTop : kc::WhiteTop);
    body.setColorAt(0.8, lettered ? kc::LetteredTop : kc::WhiteTop);
    body.setColorAt(1, lettered ? kc::LetteredBottom : kc::WhiteBottom);
    QLinearGradient down(0, 0, 0, h);
    down.setColorAt(0, kc::PressedTop);
    down.setColorAt(1, kc::PressedBottom);
    for (int i = 0; i < piano::WhiteKeyCount; ++i) {
        const int left = g.whiteLeft(i);
        const int width = g.whiteLeft(i + 1) - left;
        const bool isDown = pressedKey(pressed, piano::WhiteOffsets[static_cast<std::size_t>(i)]);
        p.fillRect(left, 0, width - 1, h, isDown ? QBrush(down) : QBrush(body));
        // Each key owns its right-hand gap, so octaves placed side by side tile evenly.
        p.fillRect(left + width - 1, 0, 1, h, kc::KeyGap);
        p.fillRect(left, h - 1, width - 1, 1, kc::KeyFront);
    }
    // The felt edge the keys disappear under.
    const int all = g.whiteLeft(piano::WhiteKeyCount);
    p.fillRect(0, 0, all, 2, kc::KeyBed);
    p.fillRect(0, 2, all, 1, kc::KeyGap);
}

void paintBlackKeys(QPainter &p, const Grid &g, OctaveKeys pressed)
{
    const int zone = g.blackZone;
    // The sloping front of the key, lit from above, and the shine along its left edge.
    const int front = std::max(3, rounded(zone * 7.0 / piano::BlackZoneHeight));
    const int shine = std::max(1, rounded(g.whiteWidth / piano::WhiteKeyWidth));
    for (const piano::BlackKey &key : piano::BlackKeys) {
        const piano::Columns columns = piano::BlackKeyColumns(key, g.whiteWidth);
        const int left = columns.first;
        const int width = columns.last - columns.first + 1;
        const bool isDown = pressedKey(pressed, key.offset);
        p.fillRect(left, 0, width, zone, isDown ? kc::PressedBlackEdge : kc::BlackEdge);
        p.fillRect(left + 1, 0, width - 2, zone - front, isDown ? kc::PressedBlackBody : kc::BlackBody);
        if (!isDown)
            p.fillRect(left + 1, 2, shine, zone - front - 4, kc::BlackShine);
        p.fillRect(left + 1, zone - front, width - 2, front - 2,
                   isDown ? kc::PressedBlackFront : kc::BlackFront);
    }
}

void paintLetters(QPainter &p, const Grid &g, const std::map<int, QString> &letters, const QFont &font)
{
    if (letters.empty())
        return;
    // On the design grid: 10 px letters 6 px above the white keys' front, 8 px letters 9 px above
    // the black keys' end. Never below 8 and 7 px, so that the narrowest keys still read.
    QFont whiteFont(font);
    whiteFont.setPixelSize(std::clamp(rounded(g.whiteWidth * 10 / piano::WhiteKeyWidth), 8, 18));
    whiteFont.setBold(true);
    QFont blackFont(font);
    blackFont.setPixelSize(std::clamp(rounded(g.whiteWidth * 8 / piano::WhiteKeyWidth), 7, 14));
    blackFont.setBold(true);
    const int whiteLift = std::max(4, rounded(g.height * 6.0 / piano::OctaveHeight));
    const int blackLift = std::max(5, rounded(g.blackZone * 9.0 / piano::BlackZoneHeight));

    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(whiteFont);
    p.setPen(kc::WhiteLetter);
    for (int i = 0; i < piano::WhiteKeyCount; ++i) {
        const auto found = letters.find(piano::WhiteOffsets[static_cast<std::size_t>(i)]);
        if (found == letters.end())
            continue;
        const int left = g.whiteLeft(i);
        p.drawText(QRect(left, 0, g.whiteLeft(i + 1) - left - 1, g.height - whiteLift),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip, found->second);
    }
    // Letters wider than their black key get a dark rim, so that what spills onto the white keys
    // still reads.
    p.setFont(blackFont);
    const QFontMetrics metrics(blackFont);
    for (const piano::BlackKey &key : piano::BlackKeys) {
        const auto found = letters.find(key.offset);
        if (found == letters.end())
            continue;
        const piano::Columns columns = piano::BlackKeyColumns(key, g.whiteWidth);
        const int width = columns.last - columns.first + 1;
        const int advance = metrics.horizontalAdvance(found->second);
        const QPointF baseline(columns.first + (width - advance) / 2.0,
                               g.blackZone - blackLift - metrics.descent());
        if (advance > width - 2) {
            QPainterPath outline;
            outline.addText(baseline, blackFont, found->second);
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.strokePath(outline, QPen(kc::BlackEdge, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.restore();
        }
        p.setPen(kc::BlackLetter);
        p.drawText(baseline, found->second);
    }
}

} // namespace

void PaintOctave(QPainter &p, QSize size, OctaveLetters letters, OctaveKeys pressed, const QFont &font)
{
    const Grid grid {size.width() / double(piano::WhiteKeyCount), size.height(),
                     piano::BlackZoneHeightFor(size.height())};
    paintWhiteKeys(p, grid, letters != OctaveLetters::None, pressed);
    paintBlackKeys(p, grid, pressed);
    paintLetters(p, grid, keyLetters(letters), font);
}

void PaintFirstOctaveMarker(QPainter &p, QSize size)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(key_colours::Accent, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double right = size.width() - 2.5;
    const double bottom = std::min(5.5, size.height() - 1.5);
    QPolygonF bracket;
    bracket << QPointF(2.5, 1) << QPointF(2.5, bottom) << QPointF(right, bottom) << QPointF(right, 1);
    p.drawPolyline(bracket);
}

} // namespace pw

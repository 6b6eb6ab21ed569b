#pragma once

#include <QColor>
#include <QSize>

#include <array>
#include <bitset>
#include <string_view>

class QFont;
class QPainter;

namespace pw {

// One octave of the piano, C to B, painted at any size from the piano geometry. With letters, the
// keys carry the computer keys that play them: the lower lettered octave (A to J) or the upper one
// (K to \).
enum class OctaveLetters { None, Lower, Upper };

// The names of the three faces of an octave, as their "picture" property tells them.
inline constexpr std::array<std::string_view, 3> OctaveFaces {"piano03", "piano030", "piano031"};

// Keys by note offset: bit 0 is C (offset 3), bit 11 is B (offset 14).
using OctaveKeys = std::bitset<12>;

// Paints the octave into (0, 0, size). Pressed keys are shaded over their whole visible face;
// letters are set in the given font's family, sized to the keys.
void PaintOctave(QPainter &p, QSize size, OctaveLetters letters, OctaveKeys pressed, const QFont &font);

// The bracket under the octave that starts at middle C.
void PaintFirstOctaveMarker(QPainter &p, QSize size);

namespace key_colours {
inline const QColor WhiteTop(0xff, 0xff, 0xff);
inline const QColor WhiteBottom(0xee, 0xf0, 0xf3);
inline const QColor LetteredTop(0xf2, 0xf7, 0xff);
inline const QColor LetteredBottom(0xdb, 0xe7, 0xfa);
inline const QColor PressedTop(0xa6, 0xc8, 0xf5);
inline const QColor PressedBottom(0x86, 0xb1, 0xee);
inline const QColor KeyGap(0x9a, 0xa0, 0xa8);
inline const QColor KeyBed(0x44, 0x48, 0x50);
inline const QColor KeyFront(0x7d, 0x83, 0x8c);
inline const QColor BlackBody(0x24, 0x26, 0x2b);
inline const QColor BlackEdge(0x10, 0x11, 0x14);
inline const QColor BlackShine(0x3c, 0x3f, 0x47);
inline const QColor BlackFront(0x52, 0x56, 0x5f);
inline const QColor PressedBlackBody(0x2a, 0x5c, 0xa8);
inline const QColor PressedBlackEdge(0x16, 0x33, 0x63);
inline const QColor PressedBlackFront(0x4c, 0x7f, 0xcc);
inline const QColor WhiteLetter(0x1f, 0x5f, 0xbf);
inline const QColor BlackLetter(0xff, 0xff, 0xff);
inline const QColor Accent(0x3a, 0x78, 0xd4);
} // namespace key_colours

} // namespace pw

#pragma once

#include <array>
#include <optional>

namespace pw {

// One octave picture of the on-screen piano, in pixels. The drawing of the pictures and the mouse
// hit test both read these numbers, so a key is pressed exactly where it is drawn.
namespace piano {

inline constexpr int OctaveCount = 5;
inline constexpr int WhiteKeyCount = 7;
inline constexpr int WhiteKeyWidth = 11;
inline constexpr int OctaveWidth = WhiteKeyCount * WhiteKeyWidth;
inline constexpr int OctaveHeight = 88;
// Presses above this line may land on a black key.
inline constexpr int BlackZoneHeight = 54;

// Note offsets count semitones from the A below the octave's C (so C is 3).
inline constexpr std::array<int, WhiteKeyCount> WhiteOffsets {3, 5, 7, 8, 10, 12, 14};

struct BlackKey
{
    int offset;
    int left; // first and last pixel column, both inclusive
    int right;
};
inline constexpr std::array<BlackKey, 5> BlackKeys {{
    {4, 7, 14},
    {6, 17, 24},
    {9, 40, 47},
    {11, 51, 58},
    {13, 62, 69},
}};

// The note offset under (x, y) of an octave picture whose white keys are whiteWidth wide; none
// left of the picture or right of its seventh white key.
std::optional<int> NoteOffsetAt(int x, int y, double whiteWidth);

// The MIDI note of a note offset in octave picture k (0 is the leftmost, starting at C2).
constexpr int MidiNote(int octave, int offset)
{
    return offset + 12 * (octave - 2) + 57;
}

} // namespace piano
} // namespace pw

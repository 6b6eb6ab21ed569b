#pragma once

#include <array>
#include <optional>

namespace pw {

// One octave picture of the on-screen piano. The numbers are those of the 11-pixel design grid;
// pictures of any size scale them, and the painting and the mouse hit test both go through the
// functions below, so a key is pressed exactly where it is drawn.
namespace piano {

inline constexpr int OctaveCount = 5;
inline constexpr int WhiteKeyCount = 7;
inline constexpr int WhiteKeyWidth = 11;
inline constexpr int OctaveWidth = WhiteKeyCount * WhiteKeyWidth;
inline constexpr int OctaveHeight = 88;
// Presses above this line may land on a black key.
inline constexpr int BlackZoneHeight = 54;

// The lowest and highest notes of the five octaves, C2 and B6.
inline constexpr int LowestNote = 36;
inline constexpr int HighestNote = LowestNote + 12 * OctaveCount - 1;

// Note offsets count semitones from the A below the octave's C (so C is 3).
inline constexpr std::array<int, WhiteKeyCount> WhiteOffsets {3, 5, 7, 8, 10, 12, 14};
inline constexpr int FirstOffset = 3;
inline constexpr int LastOffset = 14;

struct BlackKey
{
    int offset;
    int left; // first and last pixel column on the design grid, both inclusive
    int right;
};
inline constexpr std::array<BlackKey, 5> BlackKeys {{
    {4, 7, 14},
    {6, 17, 24},
    {9, 40, 47},
    {11, 51, 58},
    {13, 62, 69},
}};

bool IsBlack(int offset);

// The first and last pixel column of a black key in a picture whose white keys are whiteWidth
// wide, both inclusive.
struct Columns
{
    int first;
    int last;
};
Columns BlackKeyColumns(const BlackKey &key, double whiteWidth);

// How far the black keys reach down a picture of that height. The pictures stop growing in height
// long before they stop growing in width, so the black keys keep their share of the height.
int BlackZoneHeightFor(int pictureHeight);

// The note offset under (x, y) of an octave picture whose white keys are whiteWidth wide and which
// is pictureHeight high; none left of the picture or right of its seventh white key.
std::optional<int> NoteOffsetAt(int x, int y, double whiteWidth, int pictureHeight);

// The MIDI note of a note offset in octave picture k (0 is the leftmost, starting at C2).
constexpr int MidiNote(int octave, int offset)
{
    return offset + 12 * (octave - 2) + 57;
}

struct KeyPlace
{
    int octave;
    int offset;
    bool operator==(const KeyPlace &) const = default;
};
// Where a MIDI note lies on the five octaves; none outside C2..B6.
std::optional<KeyPlace> KeyOfNote(int midiNote);

} // namespace piano
} // namespace pw

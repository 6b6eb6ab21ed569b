#pragma once

#include <array>

// Where things lie on the note drill's two pictures. The drill hit-tests a click on a picture by
// these same numbers, so a picture drawn any other way answers clicks with the wrong note.
namespace drill_art {

// drill-keyboard.jpg: two octaves side by side, the first starting at C4.
namespace keyboard {

constexpr int Width = 504;
constexpr int Height = 250;
constexpr int Octaves = 2;
constexpr int OctaveWidth = Width / Octaves; // 252
constexpr int WhiteWidth = OctaveWidth / 7; // 36: C D E F G A B, each [k * 36, (k + 1) * 36)
// The black keys are placed in units of a white key's eleventh.
constexpr int Unit = WhiteWidth / 11; // 3
// Black keys run from the top edge down to this row (exclusive).
constexpr int BlackBottom = 54 * Unit; // 162

// A black key's extent in units from its octave's left edge, both ends included.
struct UnitSpan
{
    int first;
    int last;
};
// C#, D#, F#, G#, A#: x in [first * Unit, (last + 1) * Unit).
constexpr std::array<UnitSpan, 5> BlackKeys {{{7, 14}, {17, 24}, {40, 47}, {51, 58}, {62, 69}}};

static_assert(OctaveWidth == 252 && WhiteWidth == 36 && Unit == 3 && BlackBottom == 162);

} // namespace keyboard

// drill-staff.jpg: a treble staff with one whole note per column, C4 up to B5.
namespace staff {

constexpr int Width = 574;
constexpr int Height = 190;
constexpr int Space = 10; // between staff lines
constexpr int TopLine = 50;
constexpr int BottomLine = TopLine + 4 * Space; // 90, E4's line
constexpr int LineLeft = 8;
constexpr int LineRight = 566;
// The clef stays left of this column, clear of the first note column.
constexpr int ClefRight = 62;

// Column c spans x in [FirstColumn + c * ColumnWidth, FirstColumn + (c + 1) * ColumnWidth).
constexpr int FirstColumn = 70;
constexpr int ColumnWidth = 36;
constexpr int Columns = 14; // C4 D4 E4 F4 G4 A4 B4 C5 D5 E5 F5 G5 A5 B5
constexpr int E4Column = 2;

// From this row down the picture stays blank: the drill draws its marks there.
constexpr int MarkBandTop = 158;

constexpr int ColumnCentre(int column)
{
    return FirstColumn + column * ColumnWidth + ColumnWidth / 2;
}
// A diatonic step is half a space.
constexpr int HeadY(int column)
{
    return BottomLine - (column - E4Column) * Space / 2;
}

static_assert(HeadY(0) == 100 && HeadY(2) == 90 && HeadY(12) == 40 && HeadY(13) == 35);
static_assert(FirstColumn + Columns * ColumnWidth == Width);

} // namespace staff

} // namespace drill_art

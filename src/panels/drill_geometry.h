#pragma once

// Where the drill's pictures sit in the drawing area, and which key a click on them names.

#include "panels/drill_settings.h"

#include <optional>

namespace pw {

struct PixelRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
};

// A picture's edge in the area: -1 centres it, below -1 is that percentage of the area, from 0 a
// pixel position.
int PicturePosition(int setting, int areaSize, int pictureSize);

// The keys of a keyboard picture of count octaves from C4, in the picture's own coordinates.
class KeyboardGeometry
{
public:
    KeyboardGeometry(int width, int height, int octaves);

    // The key under (x, y); black keys take precedence in their zone; nothing past the seven
    // white keys of an octave or outside the picture.
    std::optional<int> KeyAt(int x, int y) const;
    // The rectangle marking a key, inset by inset pixels: a black key, or the body of a white key
    // below the black keys. Nothing for a key the picture does not show.
    std::optional<PixelRect> KeyRect(int key, int inset) const;

    int OctaveWidth() const { return m_octave; }
    int WhiteWidth() const { return m_white; }
    int Unit() const { return m_unit; }
    int BlackHeight() const { return 54 * m_unit; }

private:
    int m_width;
    int m_height;
    int m_octaves;
    int m_octave;
    int m_white;
    int m_unit;
};

// The note columns of a staff picture.
class StaffGeometry
{
public:
    StaffGeometry(const DrillSettings &settings, int width, int height);

    // The column under x (half a column before the first counts as the first), if inside.
    std::optional<int> ColumnAt(int x) const;
    // The key a column stands for in the drill's type: white keys from C4 in type 1, the
    // chromatic keys from C4 otherwise.
    int KeyOfColumn(int column) const;
    std::optional<int> ColumnOfKey(int key) const;
    // The mark of a note: a square of the note size centred in its column, at the picture's foot.
    std::optional<PixelRect> KeyRect(int key) const;

private:
    int m_type;
    int m_offset;
    int m_column;
    int m_size;
    int m_width;
    int m_height;
};

} // namespace pw

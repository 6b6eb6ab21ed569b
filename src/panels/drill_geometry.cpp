#include "panels/drill_geometry.h"

#include "panels/drill_task.h"

#include <array>

namespace pw {

namespace {

constexpr int WhiteKeysPerOctave = 7;
constexpr int UnitsPerWhiteKey = 11;
constexpr int KeysPerOctave = 12;
// Key offsets from the A below each C: the octave o of a picture starts at key 12·o + 36 + 3.
constexpr int OctaveBase = 36;
constexpr std::array<int, WhiteKeysPerOctave> WhiteOffsets {3, 5, 7, 8, 10, 12, 14};

struct BlackKey
{
    int firstUnit;
    int lastUnit;
    int offset;
};
constexpr std::array<BlackKey, 5> BlackKeys {
    {{7, 14, 4}, {17, 24, 6}, {40, 47, 9}, {51, 58, 11}, {62, 69, 13}}};

// The key offset within an octave and the octave, for keys a picture from C4 shows.
struct OctaveKey
{
    int octave;
    int offset;
};

OctaveKey octaveKeyOf(int key)
{
    // C is offset 3 of its octave: keys 39 … 50 are octave 0.
    const int fromC = key - (OctaveBase + 3);
    const int octave = fromC >= 0 ? fromC / KeysPerOctave : -1 - (-fromC - 1) / KeysPerOctave;
    return {octave, fromC - octave * KeysPerOctave + 3};
}

} // namespace

int PicturePosition(int setting, int areaSize, int pictureSize)
{
    if (setting == -1)
        return (areaSize - pictureSize) / 2;
    if (setting < -1)
        return static_cast<int>(static_cast<long long>(areaSize) * -setting / 100);
    return setting;
}

KeyboardGeometry::KeyboardGeometry(int width, int height, int octaves)
    : m_width(width)
    , m_height(height)
    , m_octaves(octaves > 0 ? octaves : 1)
    , m_octave(width / m_octaves)
    , m_white(m_octave / WhiteKeysPerOctave)
    , m_unit(m_white / UnitsPerWhiteKey)
{
}

std::optional<int> KeyboardGeometry::KeyAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_white <= 0)
        return std::nullopt;
    const int octave = x / m_octave;
    if (octave >= m_octaves)
        return std::nullopt;
    const int inOctave = x - octave * m_octave;
    const int base = KeysPerOctave * octave + OctaveBase;
    if (m_unit > 0 && y < BlackHeight()) {
        const int unit = inOctave / m_unit;
        for (const BlackKey &black : BlackKeys) {
            if (unit >= black.firstUnit && unit <= black.lastUnit)
                return base + black.offset;
        }
    }
    const int white = inOctave / m_white;
    if (white >= WhiteKeysPerOctave)
        return std::nullopt;
    return base + WhiteOffsets[static_cast<std::size_t>(white)];
}

std::optional<PixelRect> KeyboardGeometry::KeyRect(int key, int inset) const
{
    const OctaveKey at = octaveKeyOf(key);
    if (at.octave < 0 || at.octave >= m_octaves)
        return std::nullopt;
    const int left = at.octave * m_octave;
    for (const BlackKey &black : BlackKeys) {
        if (black.offset == at.offset)
            return PixelRect {left + black.firstUnit * m_unit + inset, inset,
                              (black.lastUnit - black.firstUnit + 1) * m_unit - 2 * inset,
                              BlackHeight() - 2 * inset};
    }
    for (std::size_t w = 0; w < WhiteOffsets.size(); ++w) {
        if (WhiteOffsets[w] == at.offset)
            return PixelRect {left + static_cast<int>(w) * m_white + inset, BlackHeight() + inset,
                              m_white - 2 * inset, m_height - BlackHeight() - 2 * inset};
    }
    return std::nullopt;
}

StaffGeometry::StaffGeometry(const DrillSettings &settings, int width, int height)
    : m_type(settings.type)
    , m_offset(settings.staffNotesOffset)
    , m_column(settings.staffNoteWidth > 0 ? settings.staffNoteWidth : 1)
    , m_size(settings.staffNoteSize)
    , m_width(width)
    , m_height(height)
{
}

std::optional<int> StaffGeometry::ColumnAt(int x) const
{
    if (x < 0 || x >= m_width)
        return std::nullopt;
    const int from = x - m_offset;
    if (from < -m_column / 2)
        return std::nullopt;
    return from < 0 ? 0 : from / m_column;
}

int StaffGeometry::KeyOfColumn(int column) const
{
    if (m_type == 1) {
        const int octave = column / WhiteKeysPerOctave;
        return WhiteOffsets[static_cast<std::size_t>(column % WhiteKeysPerOctave)] + KeysPerOctave * octave
            + OctaveBase;
    }
    return FirstPictureKey + column;
}

std::optional<int> StaffGeometry::ColumnOfKey(int key) const
{
    if (m_type != 1)
        return key >= FirstPictureKey ? std::optional<int>(key - FirstPictureKey) : std::nullopt;
    const OctaveKey at = octaveKeyOf(key);
    if (at.octave < 0)
        return std::nullopt;
    for (std::size_t w = 0; w < WhiteOffsets.size(); ++w) {
        if (WhiteOffsets[w] == at.offset)
            return at.octave * WhiteKeysPerOctave + static_cast<int>(w);
    }
    return std::nullopt;
}

std::optional<PixelRect> StaffGeometry::KeyRect(int key) const
{
    const std::optional<int> column = ColumnOfKey(key);
    if (!column)
        return std::nullopt;
    const int centre = m_offset + *column * m_column + m_column / 2;
    const PixelRect mark {centre - m_size / 2, m_height - 2 - m_size, m_size, m_size};
    if (mark.left < 0 || mark.right() > m_width)
        return std::nullopt;
    return mark;
}

} // namespace pw

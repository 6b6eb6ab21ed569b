#include "panels/piano_geometry.h"

#include <algorithm>
#include <cmath>

namespace pw::piano {

bool IsBlack(int offset)
{
    return std::ranges::any_of(BlackKeys, [offset](const BlackKey &key) { return key.offset == offset; });
}

Columns BlackKeyColumns(const BlackKey &key, double whiteWidth)
{
    const double scale = whiteWidth / WhiteKeyWidth;
    const int first = static_cast<int>(std::lround(key.left * scale));
    const int end = static_cast<int>(std::lround((key.right + 1) * scale));
    return {first, std::max(first, end - 1)};
}

int BlackZoneHeightFor(int pictureHeight)
{
    return static_cast<int>(std::lround(pictureHeight * double(BlackZoneHeight) / OctaveHeight));
}

std::optional<int> NoteOffsetAt(int x, int y, double whiteWidth, int pictureHeight)
{
    if (x < 0 || whiteWidth <= 0)
        return std::nullopt;
    const int white = static_cast<int>(std::floor(x / whiteWidth));
    if (white >= WhiteKeyCount)
        return std::nullopt;
    if (y < BlackZoneHeightFor(pictureHeight)) {
        for (const BlackKey &key : BlackKeys) {
            const Columns columns = BlackKeyColumns(key, whiteWidth);
            if (x >= columns.first && x <= columns.last)
                return key.offset;
        }
    }
    return WhiteOffsets[static_cast<std::size_t>(white)];
}

std::optional<KeyPlace> KeyOfNote(int midiNote)
{
    if (midiNote < LowestNote || midiNote > HighestNote)
        return std::nullopt;
    const int fromC2 = midiNote - LowestNote;
    return KeyPlace {fromC2 / 12, fromC2 % 12 + FirstOffset};
}

} // namespace pw::piano

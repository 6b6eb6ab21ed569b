#include "panels/piano_geometry.h"

#include <cmath>

namespace pw::piano {

std::optional<int> NoteOffsetAt(int x, int y, double whiteWidth)
{
    if (x < 0 || whiteWidth <= 0)
        return std::nullopt;
    const int white = static_cast<int>(std::floor(x / whiteWidth));
    if (white >= WhiteKeyCount)
        return std::nullopt;
    if (y < BlackZoneHeight) {
        for (const BlackKey &key : BlackKeys) {
            if (x >= key.left && x <= key.right)
                return key.offset;
        }
    }
    return WhiteOffsets[static_cast<std::size_t>(white)];
}

} // namespace pw::piano

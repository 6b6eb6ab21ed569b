#pragma once

// The drawing area of the note-naming drill: its pictures, the interval list, the marks over the
// notes and the message line, all drawn from the drill's state.

#include "panels/note_drill.h"
#include "platform/canvas.h"

#include <array>
#include <string>

namespace pw {

class Bitmap;
class Localization;

struct DrillTexts
{
    // One to twelve semitones, top to bottom.
    std::array<std::string, 12> intervals;
    std::string timeOut;
    std::string success;
    std::string exhausted;
};

DrillTexts DrillTextsFrom(const Localization &texts);

struct DrillPictures
{
    const Bitmap *keyboard = nullptr;
    const Bitmap *staff = nullptr;
};

// withHint: the given note of the hinted variants is marked too (a moment after the drawing).
void PaintDrill(Canvas &canvas, const NoteDrill &drill, const DrillPictures &pictures,
                const DrillTexts &texts, bool withHint);

// The x of the message line; the line lies under the keyboard picture by a quarter of its height.
inline constexpr int DrillMessageX = 200;
inline constexpr int DrillListX = 12;

} // namespace pw

#pragma once

#include <QRect>
#include <QSize>

#include <array>

namespace pw {

// Where every control of the piano panel goes at a given panel size. Three blocks left to right:
// the five octaves, the buttons, and the counters with the mode and reasons lines. The keys take
// what the buttons and counters leave; the counters block takes a third of the panel, within
// limits, and sheds font size and finally its two text lines (they move under the piano) as the
// panel narrows.
struct PianoLayout
{
    int whiteKey = 0; // the width of a white key, gap included
    std::array<QRect, 5> octaves;
    QRect keyboard; // the five octaves together; the panel frames it
    QRect firstOctave;

    QRect letter, minus, plus;
    QRect undo, up, left, down, right;
    QRect pause, next;

    std::array<QRect, 5> captions;
    std::array<QRect, 5> values;
    QRect time;
    QRect regim;
    QRect why;
    // Pixel sizes of the counters' captions and values, the two text lines, and the time.
    int textPixels = 12;
    int timePixels = 24;
};

PianoLayout LayoutPiano(QSize panel);

// What the panel asks for; the main window gives it the width of the main area anyway.
inline constexpr QSize PreferredPianoPanelSize {1249, 150};
// The main area of the smallest main window (800 wide, less the course menu and the splitter).
inline constexpr int NarrowestPianoPanel = 555;

} // namespace pw

#include "panels/piano_layout.h"

#include "panels/panel_bitmaps.h"
#include "panels/piano_geometry.h"

#include <algorithm>

namespace pw {

namespace {

namespace bm = panel_bitmaps;

constexpr int Margin = 6;
constexpr int Gap = 10;
constexpr int KeysAcross = piano::OctaveCount * piano::WhiteKeyCount;
constexpr int MinKey = 8;
constexpr int MaxKey = 28;
// The octaves keep the design's 1:8 key until the panel's height stops them.
constexpr int KeyLengthPerWidth = piano::OctaveHeight / piano::WhiteKeyWidth;

// Three columns of buttons; the arrows sit close, the groups a little apart.
constexpr int Button = bm::ButtonSize;
constexpr int ButtonGap = 2;
constexpr int GroupGap = 6;
constexpr int ButtonsWidth = 3 * Button + 2 * ButtonGap;
constexpr int ButtonsHeight = 4 * Button + ButtonGap + 2 * GroupGap;

constexpr int Fixed = 2 * Margin + 2 * Gap + ButtonsWidth;
// The counters' share of the panel, in hundredths, and the most they are given.
constexpr int CountersShare = 32;
constexpr int CountersMax = 560;
// Below these widths of the counters block the mode line no longer fits one line of 12 px type,
// and the mode and reasons lines no longer fit beside the counters at all.
constexpr int CountersWide = 430;
constexpr int CountersCompact = 230;

constexpr int CountersTop = 5;
constexpr int TwoLines11 = 30; // two lines of 11 px type
constexpr int LineGap = 2;

struct CounterType
{
    int pixels, row, caption, value, timeGap, timeWidth, timePixels;
};
constexpr CounterType Wide {12, 17, 92, 34, 12, 80, 24};
constexpr CounterType Small {11, 15, 84, 30, 10, 64, 20};

void placeButtons(PianoLayout &out, int left, int height)
{
    const int top = std::max(0, (height - ButtonsHeight) / 2);
    const int rows[] = {top, top + Button + GroupGap, top + 2 * Button + GroupGap + ButtonGap,
                        top + 3 * Button + 2 * GroupGap + ButtonGap};
    const auto at = [&](int column, int row) {
        return QRect(left + column * (Button + ButtonGap), rows[row], Button, Button);
    };
    out.letter = at(0, 0);
    out.minus = at(1, 0);
    out.plus = at(2, 0);
    out.undo = at(0, 1);
    out.up = at(1, 1);
    out.left = at(0, 2);
    out.down = at(1, 2);
    out.right = at(2, 2);
    out.pause = at(0, 3);
    out.next = at(2, 3);
}

// Returns the bottom of the last counter row.
int placeCounterRows(PianoLayout &out, const CounterType &type, int left, int width)
{
    const int caption = std::min(type.caption, std::max(0, width - type.value));
    for (std::size_t i = 0; i < out.captions.size(); ++i) {
        const int y = CountersTop + static_cast<int>(i) * type.row;
        out.captions[i] = QRect(left, y, caption, type.row);
        out.values[i] = QRect(left + caption, y, type.value, type.row);
    }
    out.textPixels = type.pixels;
    return CountersTop + static_cast<int>(out.captions.size()) * type.row;
}

} // namespace

PianoLayout LayoutPiano(QSize panel)
{
    const int width = panel.width();
    const int height = panel.height();
    PianoLayout out;

    const int countersWanted = width * CountersShare / 100;
    out.whiteKey = std::clamp((width - Fixed - countersWanted) / KeysAcross, MinKey, MaxKey);
    const int keysWidth = KeysAcross * out.whiteKey;
    // Whatever the keys leave, less than one key per white key, goes to the counters.
    const int counters = std::clamp(width - Fixed - keysWidth, 0, CountersMax);
    const bool linesBeside = counters >= CountersCompact;

    const int marker = 2 + bm::MarkerHeight;
    const int bottomMargin = 4;
    const int linesBelow = linesBeside ? 0 : LineGap + TwoLines11 + LineGap + TwoLines11;
    const int keyLength = std::min(KeyLengthPerWidth * out.whiteKey,
                                   height - Margin - 1 - marker - linesBelow - bottomMargin);

    const int octaveWidth = piano::WhiteKeyCount * out.whiteKey;
    for (int k = 0; k < piano::OctaveCount; ++k)
        out.octaves[static_cast<std::size_t>(k)]
            = QRect(Margin + k * octaveWidth, Margin, octaveWidth, keyLength);
    out.keyboard = QRect(Margin, Margin, keysWidth, keyLength);
    out.firstOctave = QRect(out.octaves[2].left(), out.keyboard.bottom() + 3, octaveWidth, bm::MarkerHeight);

    placeButtons(out, out.keyboard.right() + 1 + Gap, height);

    const int left = width - Margin - counters;
    if (counters >= CountersWide) {
        const int rowsBottom = placeCounterRows(out, Wide, left, counters);
        out.time = QRect(out.values[0].right() + 1 + Wide.timeGap, CountersTop, Wide.timeWidth, 2 * Wide.row);
        out.timePixels = Wide.timePixels;
        out.regim = QRect(left, rowsBottom + 1, counters, Wide.row);
        out.why = QRect(left, out.regim.bottom() + 1 + LineGap, counters, 2 * Wide.row);
    } else if (linesBeside) {
        const int rowsBottom = placeCounterRows(out, Small, left, counters);
        out.time
            = QRect(out.values[0].right() + 1 + Small.timeGap, CountersTop, Small.timeWidth, 2 * Small.row);
        out.timePixels = Small.timePixels;
        out.regim = QRect(left, rowsBottom + 1, counters, TwoLines11);
        out.why = QRect(left, out.regim.bottom() + 1 + LineGap, counters, TwoLines11);
    } else {
        // The time goes under the counters, at its full size, and the two lines under the piano.
        const int rowsBottom = placeCounterRows(out, Small, left, counters);
        out.time = QRect(left, rowsBottom + 6, out.values[0].right() + 1 - left, 34);
        out.timePixels = Wide.timePixels;
        out.regim = QRect(Margin, out.firstOctave.bottom() + 1 + LineGap, keysWidth, TwoLines11);
        out.why = QRect(Margin, out.regim.bottom() + 1 + LineGap, keysWidth, TwoLines11);
    }
    return out;
}

} // namespace pw

#include "staff/staff_layout.h"

#include "platform/ui.h"
#include "staff/mparms.h"
#include "staff/staff_drawing.h"

#include <cstdlib>

namespace pw {

namespace {

// A measure without duration (a part without notes and without Size) would leave the spacing
// test without a divisor; it is laid out as one unit wide.
int weightOf(const Tacts &tacts, int i)
{
    const int count = tacts.TactSize[static_cast<std::size_t>(i)].Count;
    return count > 0 ? count : 1;
}

} // namespace

int LayoutPart(Tacts &tacts, const MParms &parms, Ui &ui, int width, int firstRow, int val, bool reserve)
{
    if (tacts.TactCount == 0) {
        tacts.RowCount = 2;
        return 2;
    }
    const int note = parms.STEP_NOTE;
    const int key = std::abs(val) * parms.STEP_SIGN;
    int usable = width - (note + parms.ADDITION_LEFT_OFFSET + key + note / 4 + 20);
    int units = 0; // weight on the current system
    int measures = 0; // measures on it
    int rows = 0;
    int first = 0; // its first measure

    auto closeBefore = [&](int end) {
        if (units == 0) {
            ui.message("Слишком маленькое окно", "!");
            throw WindowTooSmall();
        }
        const int spacing = (usable - measures * note) / units;
        int extra = 0;
        for (int m = first; m < end; ++m) {
            const auto i = static_cast<std::size_t>(m);
            extra += weightOf(tacts, m) * (spacing - note);
            tacts.TactX[i] += extra;
            tacts.TactStep[i] = spacing;
        }
        rows += 2;
        units = 0;
        measures = 0;
        first = end;
        tacts.TactLineEnd[static_cast<std::size_t>(end - 1)] = true;
        usable = width - key - (note / 4 + 20);
    };

    for (int m = 0; m < tacts.TactCount; ++m) {
        const auto i = static_cast<std::size_t>(m);
        const int w = weightOf(tacts, m);
        if (note >= static_cast<double>(usable - (measures + 1) * note) / (units + w))
            closeBefore(m);
        tacts.TactLineEnd[i] = false;
        units += w;
        tacts.TactStep[i] = note;
        tacts.TactX[i] = (units + measures) * note;
        tacts.TactRow[i] = firstRow + rows;
        ++measures;
    }
    if (units > 0) {
        if (reserve)
            ++units;
        closeBefore(tacts.TactCount);
    }
    tacts.TactLineEnd[static_cast<std::size_t>(tacts.TactCount - 1)] = true;
    tacts.RowCount = rows > 0 ? rows : 1;
    return tacts.RowCount;
}

} // namespace pw

#include "staff/staff_drawing.h"

#include <cstdlib>

namespace pw {

namespace {

// Signed count of the part starts between the top of the picture and system: for a system below
// the top, the parts after the first that begin on a system from 1 to it; for one above, minus
// those beginning between it and the top. The first rows come from the last layout, parts without
// measures counted by their RowCount from a part that has some, shifted by shift rows.
int partStartsBetween(const HarExercis &ex, int system, int shift)
{
    const int parts = ex.PartCount();
    int anchor = 0;
    while (anchor < parts && ex.part(anchor).Tacts.TactCount == 0)
        ++anchor;
    int start = 0; // first row of part 0
    if (anchor < parts) {
        start = ex.part(anchor).Tacts.TactRow[0];
        for (int p = anchor - 1; p >= 0; --p)
            start -= ex.part(p).Tacts.RowCount;
    }
    start -= shift;
    const int row = 2 * system;
    int count = 0;
    for (int p = 1; p < parts; ++p) {
        start += ex.part(p - 1).Tacts.RowCount;
        if (system > 0 && start > 0 && start <= row)
            ++count;
        else if (system < 0 && start > row && start <= 0)
            --count;
    }
    return count;
}

} // namespace

int PartGap(const MParms &parms)
{
    return 7 * parms.STEP_LINE;
}

int PartGapsAbove(const HarExercis &ex, const MParms &parms, int system, int shift)
{
    return partStartsBetween(ex, system, shift) * PartGap(parms);
}

namespace {

int staffTopOver(const HarExercis &ex, const MParms &parms, int system, int staff, int gaps)
{
    return system * parms.STEP_BETWEEN_STANS
        + ((ex.LastStaff + 1) * system + staff) * parms.STEP_LINE * parms.STEP_STAN_LINE + parms.Y_BEGIN_LINE
        + gaps;
}

} // namespace

int StaffTop(const HarExercis &ex, const MParms &parms, int system, int staff)
{
    return staffTopOver(ex, parms, system, staff, PartGapsAbove(ex, parms, system));
}

int StaffTop(StaffDrawing &d, int system, int staff)
{
    auto found = d.partGaps.find(system);
    if (found == d.partGaps.end())
        found = d.partGaps.emplace(system, PartGapsAbove(d.ex, d.parms, system)).first;
    return staffTopOver(d.ex, d.parms, system, staff, found->second);
}

int KeySignatureWidth(const MParms &parms, int val)
{
    return std::abs(val) * parms.STEP_SIGN;
}

int HeaderEnd(const MParms &parms, int val, bool firstSystem)
{
    const int indent = firstSystem ? parms.ADDITION_LEFT_OFFSET : 0;
    const int timeSignature = firstSystem ? parms.STEP_NOTE : 0;
    return parms.FREE_LEFT + indent + parms.STEP_NOTE / 4 + 20 + KeySignatureWidth(parms, val)
        + timeSignature;
}

int NoteOrigin(const MParms &parms, int val, bool firstSystem)
{
    return HeaderEnd(parms, val, firstSystem) + parms.STEP_NOTE;
}

} // namespace pw

#include "staff/staff_drawing.h"

#include <cstdlib>

namespace pw {

int StaffTop(const HarExercis &ex, const MParms &parms, int system, int staff)
{
    return system * parms.STEP_BETWEEN_STANS
        + ((ex.LastStaff + 1) * system + staff) * parms.STEP_LINE * parms.STEP_STAN_LINE + parms.Y_BEGIN_LINE;
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

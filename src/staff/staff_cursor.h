#pragma once

#include "staff/staff_drawing.h"

namespace pw {

// The cursor rectangle of the current part and voice, in the voice's colour, or in white to erase
// it; then the current length follows the cursor. Needs a laid-out part.
void DrawCursor(HarExercis &ex, Canvas &canvas, const MParms &parms, bool show);

// Rows to scroll so that the cursor's system is visible.
int CursorScrollRows(const HarExercis &ex, const MParms &parms);

} // namespace pw

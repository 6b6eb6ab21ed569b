#pragma once

#include "staff/staff_drawing.h"

namespace pw {

// Draws every Voice of the part in document order into its laid-out measures.
void DrawVoices(StaffDrawing &d, int part);

// Duration units a note takes in a measure whose finest unit is unit.
int NoteUnits(XmlNode note, int unit);

} // namespace pw

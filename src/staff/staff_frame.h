#pragma once

#include "staff/staff_drawing.h"

#include <string>

namespace pw {

// The name of a key as the header writes it: "C dur", "E bemol dur", "F diez moll" ...
// The key written at the start of a part: "F dur", "E  bemol dur", "A moll" in the built-in
// names, "F major", "E♭ major", "A minor" in English.
std::string KeyName(const Tonality &tonality, bool english = false);

// Brace, staff lines, left bar line, clefs and key signatures of the system on row; the first
// system of a part is indented, names its key and carries the time signature.
void DrawRowHeader(StaffDrawing &d, int part, int row, bool firstSystem);

// A thin rule across the gap above the first system of a part after the first, on row.
void DrawPartSeparator(StaffDrawing &d, int row);

// A bar line of width pixels at x across the whole system of row.
void DrawBarLine(StaffDrawing &d, int x, int row, int width);

} // namespace pw

#pragma once

#include "harmony/exercise_check.h"
#include "staff/staff_drawing.h"

#include <string_view>

namespace pw {

// Where one note of a text or analysis voice is drawn.
struct TextDrawPlace
{
    int part = 0;
    int tact = 0;
    int posInTact = 0; // the note's index among the voice's notes of that measure
    int x = 0;
    int system = 0;
};

// A label "main|upper|lower": each piece translated, the main piece at (x, y), a non-empty upper
// index at (x + 8, y - 10) and a lower one at (x + 8, y + 10), in the current font. Nothing is
// drawn while an examination is running.
void DrawLabel(StaffDrawing &d, int x, int y, std::string_view text);

// y of the text line of a system, below its lower staff.
int TextLineY(StaffDrawing &d, int system);

// A note of a "Text" or "TextNote" voice: the expected label in dark green.
void DrawTextNote(StaffDrawing &d, XmlNode note, bool withNote, const TextDrawPlace &place);

// A note of the analysis voice: the chord label, the step and the parallels, coloured by the
// verdicts, which judge gives for the part being drawn.
void DrawAnalysisNote(StaffDrawing &d, PartJudge &judge, XmlNode voice, XmlNode note,
                      const TextDrawPlace &place);

} // namespace pw

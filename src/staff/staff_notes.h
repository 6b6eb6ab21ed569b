#pragma once

#include "staff/pitch_rules.h"
#include "staff/staff_drawing.h"

namespace pw {

// Where and how one note of a note voice is drawn.
struct NoteDrawPlace
{
    int x = 0; // the note's slot start
    int system = 0;
    int staff = 0;
    int clef = 0;
    bool stemDown = false;
};

// Ledger lines, the note bitmap, the exemption mark, the dot and the accidental (worked out
// with the document's accidental memory); a High of -1 is a rest.
void DrawNote(StaffDrawing &d, XmlNode note, const NoteDrawPlace &place, const Tonality &tonality);

// y of the top-left corner of a note bitmap at staff position p.
int NoteY(const MParms &parms, int staffTop, int position);

// Index into the note table for a length code.
int NoteTableIndex(int length, bool stemDown);

} // namespace pw

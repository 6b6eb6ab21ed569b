#pragma once

#include "document/har_exercis.h"
#include "platform/canvas.h"
#include "platform/ui.h"
#include "staff/mparms.h"

#include <exception>
#include <unordered_map>
#include <vector>

namespace pw {

// Where a label that shows a fault of its chord was drawn, so that the reasons can be shown for
// the label under the mouse.
struct LabelSpot
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int part = 0;
    XmlNode analysisNote;

    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// What every drawing step of one repaint works with.
struct StaffDrawing
{
    HarExercis &ex;
    Canvas &canvas;
    const MParms &parms;
    Ui &ui;
    // Filled with the spots of the fault labels when given.
    std::vector<LabelSpot> *spots = nullptr;
    // The part gaps above each system drawn (PartGapsAbove), worked out once per system for the
    // layout being drawn: forgotten whenever a part is laid out again.
    std::unordered_map<int, int> partGaps;
};

// Thrown once "Слишком маленькое окно" has been shown: the repaint stops without a further message
// and the next repaint tries again.
class WindowTooSmall : public std::exception
{
public:
    const char *what() const noexcept override { return "window too small for one measure"; }
};

// y of the top line of staff k (0 = upper) of system s. Every part after the first begins PartGap
// lower, so that the text row under one part is not read as the heading of the next.
int StaffTop(const HarExercis &ex, const MParms &parms, int system, int staff);
// The same while drawing, with the gaps of the layout being drawn.
int StaffTop(StaffDrawing &d, int system, int staff);
int PartGap(const MParms &parms);
// The part gaps between the top of the picture and system s (negative above the top), after the
// last layout's parts scrolled by shift rows more.
int PartGapsAbove(const HarExercis &ex, const MParms &parms, int system, int shift = 0);

// A row number's system; rows of a scrolled picture may be negative.
inline int SystemOfRow(int row)
{
    return row / 2;
}

// Width of a key signature of val sharps or flats.
int KeySignatureWidth(const MParms &parms, int val);

// x where a system's header ends, and its note origin (where its first note slot begins). The
// first system of a part is indented and carries the time signature.
int HeaderEnd(const MParms &parms, int val, bool firstSystem);
int NoteOrigin(const MParms &parms, int val, bool firstSystem);

} // namespace pw

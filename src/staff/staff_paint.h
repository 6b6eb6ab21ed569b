#pragma once

#include "staff/staff_drawing.h"

namespace pw {

// Whether a repaint ends with the entry cursor; a picture of an example has none.
enum class EntryCursor {
    Shown,
    Hidden,
};

// Lays out and draws every part of the run from scrollRow on, then the cursor. Returns the row
// after the last part. A window too narrow for one measure ends the repaint after its message.
// With spots, they are filled with where the labels of faulty chords were drawn.
int PaintAll(HarExercis &ex, Canvas &canvas, const MParms &parms, Ui &ui, int scrollRow,
             std::vector<LabelSpot> *spots = nullptr, EntryCursor cursor = EntryCursor::Shown);

// Lays out part p from firstRow, draws its frame and voices under the canvas lock, and returns
// its RowCount. The measure of the last insertion is cleared first when lastInsert is set.
int PaintPart(StaffDrawing &d, int part, int firstRow, bool lastInsert);

} // namespace pw

#include "staff/staff_paint.h"

#include "staff/staff_cursor.h"
#include "staff/staff_frame.h"
#include "staff/staff_layout.h"
#include "staff/staff_voices.h"

#include <algorithm>
#include <mutex>

namespace pw {

namespace {

bool firstRowOf(const Tacts &tacts, int tact)
{
    return tacts.TactRow[static_cast<std::size_t>(tact)] == tacts.TactRow[0];
}

int noteOriginOf(StaffDrawing &d, int part, int tact)
{
    const ExercisePart &shown = d.ex.part(part);
    return NoteOrigin(d.parms, shown.Tonality.val, firstRowOf(shown.Tacts, tact));
}

// Commands that draw over the previous picture leave the old notes of the edited measure there.
void clearMeasure(StaffDrawing &d, int part, int tact)
{
    const MParms &p = d.parms;
    const Tacts &tacts = d.ex.part(part).Tacts;
    const auto t = static_cast<std::size_t>(tact);
    const int origin = noteOriginOf(d, part, tact);
    const bool firstOnRow = tact == 0 || tacts.TactRow[t - 1] != tacts.TactRow[t];
    const int leftBar = firstOnRow ? origin : origin + tacts.TactX[t - 1];
    const int right = tacts.TactLineEnd[t] ? p.RightEdge : origin + tacts.TactX[t] + p.STEP_NOTE;
    const int top = std::max(0, StaffTop(d, SystemOfRow(tacts.TactRow[t]), 0));
    d.canvas.setPen(White, 1);
    d.canvas.setBrush(White);
    d.canvas.rectangle(leftBar - 2 * p.STEP_NOTE, top, right,
                       top + 2 * p.STEP_LINE * p.STEP_STAN_LINE + p.STEP_BETWEEN_STANS);
}

} // namespace

int PaintPart(StaffDrawing &d, int part, int firstRow, bool lastInsert)
{
    ExercisePart &shown = d.ex.part(part);
    Tacts &tacts = shown.Tacts;
    d.partGaps.clear();
    LayoutPart(tacts, d.parms, d.ui, d.parms.Width, firstRow, shown.Tonality.val, false);
    // The part's rows are new: the gaps above its systems are worked out again.
    d.partGaps.clear();

    const std::lock_guard<std::mutex> surface(d.canvas.lock());
    if (lastInsert && tacts.TactCount > 0) {
        const int tact = d.ex.LastInsertTact == -3 ? 0 : d.ex.LastInsertTact;
        if (tact >= 0 && tact < tacts.TactCount) {
            clearMeasure(d, part, tact);
            d.ex.LastInsertTact = -2;
        }
    }
    if (part > 0)
        DrawPartSeparator(d, firstRow);
    DrawRowHeader(d, part, firstRow, true);
    for (int i = 0; i < tacts.TactCount; ++i) {
        const auto t = static_cast<std::size_t>(i);
        if (i + 1 < tacts.TactCount && tacts.TactRow[t + 1] != tacts.TactRow[t])
            DrawRowHeader(d, part, tacts.TactRow[t + 1], false);
        if (i == tacts.TactCount - 1) {
            DrawBarLine(d, d.parms.RightEdge - 3, tacts.TactRow[t], 1);
            DrawBarLine(d, d.parms.RightEdge, tacts.TactRow[t], 3);
        } else if (tacts.TactLineEnd[t]) {
            DrawBarLine(d, d.parms.RightEdge, tacts.TactRow[t], 1);
        } else {
            DrawBarLine(d, noteOriginOf(d, part, i) + tacts.TactX[t], tacts.TactRow[t], 1);
        }
    }
    DrawVoices(d, part);
    return tacts.RowCount;
}

int PaintAll(HarExercis &ex, Canvas &canvas, const MParms &parms, Ui &ui, int scrollRow,
             std::vector<LabelSpot> *spots, EntryCursor cursor)
{
    if (spots)
        spots->clear();
    StaffDrawing d {ex, canvas, parms, ui, spots};
    int row = -scrollRow;
    try {
        for (int p = 0; p < ex.PartCount(); ++p)
            row += PaintPart(d, p, row, p == ex.LastInsertPart);
    } catch (const WindowTooSmall &) {
        return row;
    }
    if (cursor == EntryCursor::Shown)
        DrawCursor(ex, canvas, parms, true);
    return row;
}

} // namespace pw

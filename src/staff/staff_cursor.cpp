#include "staff/staff_cursor.h"

#include "document/exercise_nodes.h"

#include <algorithm>
#include <cstdlib>

namespace pw {

namespace {

// A cursor beyond the last measure (a measure about to be appended) is placed on the last
// measure's row, two STEP_NOTE after its end.
int rowOfCursor(const Tacts &tacts, int tact)
{
    return tacts.TactRow[static_cast<std::size_t>(std::clamp(tact, 0, tacts.TactCount - 1))];
}

// Units of the measure taken by the current voice's notes before the cursor position.
int unitsBeforeCursor(HarExercis &ex, int part, int tact, int pos)
{
    ExercisePart &shown = ex.part(part);
    Tacts &tacts = shown.Tacts;
    const int slot = tacts.VoiceSlot(shown.Node, shown.CurVoice, "");
    const int first = tacts.FirstNoteOf(slot, tact);
    NSize before;
    int i = 0;
    for (XmlNode note : NotesOf(VoiceOfSlot(shown.Node, slot))) {
        if (i >= first + pos)
            break;
        if (i++ >= first)
            before.AddNote(note);
    }
    const NSize &size = tacts.TactSize[static_cast<std::size_t>(tact)];
    if (before.Unit == 0)
        return 0;
    return static_cast<int>(static_cast<long long>(size.Unit) * before.Count / before.Unit);
}

} // namespace

void DrawCursor(HarExercis &ex, Canvas &canvas, const MParms &parms, bool show)
{
    if (ex.HasCurrentPart()) {
        const ExercisePart &shown = ex.current();
        const Tacts &tacts = shown.Tacts;
        const int voice = shown.CurVoice;
        if (tacts.TactCount > 0 && tacts.TactX[0] != 0 && voice >= 0) {
            const int t = shown.CurTact;
            const int note = parms.STEP_NOTE;
            const int last = tacts.TactCount - 1;
            int left = 0;
            int units = 0;
            int step = 0;
            if (t > last) {
                left = tacts.TactX[static_cast<std::size_t>(last)] + 2 * note;
            } else {
                const auto i = static_cast<std::size_t>(t);
                left = tacts.TactX[i] - tacts.TactStep[i] * tacts.TactSize[i].Count;
                units = unitsBeforeCursor(ex, ex.CurPart, t, shown.CurPos);
                step = tacts.TactStep[i];
            }
            const int row = rowOfCursor(tacts, t);
            int g = left + parms.ADDITION_LEFT_OFFSET + note / 4 + 20
                + std::abs(shown.Tonality.val * parms.STEP_SIGN);
            if (row == tacts.TactRow[0])
                g += note + parms.ADDITION_LEFT_OFFSET;
            const int x = g + units * step + note * 3 / 2;

            const int line = parms.STEP_LINE;
            const int top = StaffTop(ex, parms, SystemOfRow(row), 0);
            int shift = 0;
            if (ex.HasStaffCount) {
                shift = -(ex.StaffCount - voice - 1) * (8 * line + parms.STEP_BETWEEN_STANS);
            } else {
                shift = -96;
                if (voice == Tenor || voice == Soprano)
                    shift += 5 * line;
                if (voice == Alto || voice == Soprano)
                    shift += parms.STEP_BETWEEN_STANS + 8 * line;
            }
            const int y = top - shift;
            const Color color = show ? parms.VoiceColor[static_cast<std::size_t>(voice)] : White;
            canvas.setPen(color, 1);
            canvas.setBrush(color);
            canvas.rectangle(x, y, x + line, y + 5 * line);
            canvas.setBrush(White);
        }
    }
}

int CursorScrollRows(const HarExercis &ex, const MParms &parms)
{
    if (!ex.HasCurrentPart())
        return 0;
    const Tacts &tacts = ex.current().Tacts;
    if (tacts.TactCount == 0)
        return 0;
    const int t = rowOfCursor(tacts, ex.current().CurTact);
    if (t < 0)
        return t;
    int scroll = t <= parms.RowsFit - 2 ? 0 : t - parms.RowsFit + 2;
    // RowsFit counts whole systems; the gaps before parts can still push the cursor's system
    // below the window.
    auto fits = [&](int rows) {
        const int system = SystemOfRow(t - rows);
        return (system + 1) * parms.SystemHeight() + PartGapsAbove(ex, parms, system, rows) <= parms.Height;
    };
    if (parms.Height > 0) {
        while (scroll < t && !fits(scroll))
            scroll += 2;
    }
    return scroll;
}

} // namespace pw

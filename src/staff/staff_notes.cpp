#include "staff/staff_notes.h"

#include "document/exercise_nodes.h"

#include <array>

namespace pw {

namespace {

constexpr Color Red = MakeColor(255, 0, 0);

int restIndex(int length)
{
    switch (length) {
    case 2:
    case 4:
        return 1;
    case 8:
        return 2;
    case 16:
        return 3;
    default:
        return 0;
    }
}

void drawRest(StaffDrawing &d, int length, const NoteDrawPlace &place)
{
    const MParms &p = d.parms;
    const int top = StaffTop(d, place.system, place.staff);
    const int shift = place.stemDown ? p.STEP_LINE : -4 * p.STEP_LINE;
    d.canvas.bitmap(place.x + 1, top + 3 * p.STEP_LINE + p.OFFSET_NOTE_CONSTANT + shift,
                    *p.RestTable[static_cast<std::size_t>(restIndex(length))], true);
}

void drawLedgerLines(StaffDrawing &d, int x, int top, int position)
{
    const int line = d.parms.STEP_LINE;
    d.canvas.setPen(d.parms.ColorLine, 1);
    if (position <= 2) {
        for (int j = 0; j <= (2 - position) / 2; ++j)
            d.canvas.line(x + 1, top + (5 + j) * line, x + 25, top + (5 + j) * line);
    } else if (position >= 14) {
        for (int j = 0; j <= (position - 14) / 2; ++j)
            d.canvas.line(x + 1, top - (j + 1) * line, x + 25, top - (j + 1) * line);
    }
}

void reportBadPitch(StaffDrawing &d, int high)
{
    d.ui.message("Нота: " + std::to_string(high) + " в отрисовке знака", "Ошибка");
}

} // namespace

int NoteY(const MParms &parms, int staffTop, int position)
{
    return staffTop + 3 * parms.STEP_LINE + parms.OFFSET_NOTE_CONSTANT - position * parms.STEP_LINE / 2;
}

int NoteTableIndex(int length, bool stemDown)
{
    constexpr std::array<int, 6> lengths {16, 8, 4, 2, 1, 0};
    int i = 0;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        if (lengths[k] == length)
            i = static_cast<int>(k);
    }
    return 2 * i + (stemDown ? 1 : 0);
}

void DrawNote(StaffDrawing &d, XmlNode note, const NoteDrawPlace &place, const Tonality &tonality)
{
    const MParms &p = d.parms;
    const int high = NotePitch(note);
    const int length = NoteLength(note);
    if (high == -1) {
        drawRest(d, length, place);
        return;
    }
    int position = 0;
    int sign = NoSign;
    if (high < -1) {
        // Both pitch rules report it, as they each meet the bad pitch.
        reportBadPitch(d, high);
        reportBadPitch(d, high);
    } else {
        position = StaffPosition(high, tonality, place.clef);
        sign = AccidentalFor(high, tonality, d.ex.StepAccidentals);
    }

    const Color savedPen = d.canvas.penColor();
    const int top = StaffTop(d, place.system, place.staff);
    const int y = NoteY(p, top, position);
    const int x = place.x;
    drawLedgerLines(d, x, top, position);
    d.canvas.bitmap(x + 1, y, *p.NoteTable[static_cast<std::size_t>(NoteTableIndex(length, place.stemDown))],
                    true);
    if (IsExempt(note)) {
        const CanvasFont saved = d.canvas.font();
        CanvasFont mark = saved;
        mark.color = Red;
        mark.bold = true;
        d.canvas.setFont(mark);
        d.canvas.text(x + 1 - p.STEP_NOTE / 3,
                      StaffTop(d, place.system, 1) - p.STEP_LINE * p.STEP_STAN_LINE / 2, "][");
        d.canvas.setFont(saved);
    }
    if (IsDotted(note))
        d.canvas.bitmap(x + 1 + p.STEP_NOTE / 2, y + p.BITMAP_NOTE_HEIGHT / 3, *p.Point, true);
    if (sign != NoSign)
        d.canvas.bitmap(x + 1 - p.STEP_NOTE / 3, y + p.BITMAP_NOTE_HEIGHT / 3,
                        *p.Sign[static_cast<std::size_t>(sign)], true);
    d.canvas.setPen(savedPen, d.canvas.penWidth());
}

} // namespace pw

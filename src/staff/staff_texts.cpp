#include "staff/staff_texts.h"

#include "document/exercise_nodes.h"

#include "harmony/definitor.h"
#include "harmony/exercise_check.h"
#include "staff/staff_notes.h"

#include <array>
#include <string>

namespace pw {

namespace {

constexpr Color DarkGreen = MakeColor(0, 100, 0);
constexpr Color DarkBlue = MakeColor(0, 0, 100);

void setFont(Canvas &canvas, Color color, bool bold, int size)
{
    CanvasFont font = canvas.font();
    font.color = color;
    font.bold = bold;
    font.size = size;
    canvas.setFont(font);
}

// Labels are a few characters of at most 12 points: a fixed box around one is near enough for the
// mouse. Nothing is marked while an exam hides the labels.
void addSpot(StaffDrawing &d, int x, int y, int part, XmlNode note)
{
    constexpr int Width = 48, Height = 20;
    if (!d.spots || (d.ex.IsExam && d.ex.ExamState < 0))
        return;
    d.spots->push_back({x - 2, y - 2, x + Width, y + Height, part, note});
}

} // namespace

void DrawLabel(StaffDrawing &d, int x, int y, std::string_view text)
{
    const std::array<std::string, 3> pieces = d.parms.Definitor().LocalLabelPieces(text);
    if (d.ex.IsExam && d.ex.ExamState < 0)
        return;
    d.canvas.text(x, y, pieces[0]);
    if (!pieces[1].empty())
        d.canvas.text(x + 8, y - 10, pieces[1]);
    if (!pieces[2].empty())
        d.canvas.text(x + 8, y + 10, pieces[2]);
}

int TextLineY(StaffDrawing &d, int system)
{
    return StaffTop(d, system, 2) - d.parms.STEP_LINE;
}

void DrawTextNote(StaffDrawing &d, XmlNode note, bool withNote, const TextDrawPlace &place)
{
    setFont(d.canvas, DarkGreen, true, 10);
    const int y = TextLineY(d, place.system);
    const std::string text = ChordName(note);
    if (withNote) {
        const int index = NoteTableIndex(NoteLength(note), true);
        d.canvas.bitmap(place.x, y - 20, *d.parms.NoteTable[static_cast<std::size_t>(index)], true);
        DrawLabel(d, place.x + 20, y, text);
    } else {
        DrawLabel(d, place.x, y, text);
    }
}

void DrawAnalysisNote(StaffDrawing &d, PartJudge &judge, XmlNode voice, XmlNode note,
                      const TextDrawPlace &place)
{
    const MParms &p = d.parms;
    // The expected analysis and the check letters are those of the part being drawn; the error
    // counts are the checking pass's, not the drawing's.
    const AnalysisVerdict verdict = judge.JudgeChordAt(voice, note, place.tact, place.posInTact);

    if (verdict.expectedMismatch)
        setFont(d.canvas, p.ColorError, true, 12);
    else
        setFont(d.canvas, verdict.unknownChord ? p.ColorError : DarkBlue, true, 10);
    const int y = TextLineY(d, place.system);
    const int nameX = place.x - p.STEP_NOTE / 2;
    DrawLabel(d, nameX, y - 32, ChordName(note));
    if (verdict.nameInErrorColour())
        addSpot(d, nameX, y - 32, place.part, note);

    if (!verdict.showMove)
        return;
    setFont(d.canvas, verdict.forbiddenMove ? p.ColorError : p.ColorMovement, d.canvas.font().bold, 8);
    const int stepY = y - 19 * p.STEP_LINE + 5;
    DrawLabel(d, place.x - 20, stepY, StepName(note));
    if (verdict.forbiddenMove)
        addSpot(d, place.x - 20, stepY, place.part, note);
    if (verdict.showErr) {
        setFont(d.canvas, p.ColorMovement, d.canvas.font().bold, 8);
        DrawLabel(d, place.x - 20, stepY + 10, ParallelMark(note));
        addSpot(d, place.x - 20, stepY + 10, place.part, note);
    }
}

} // namespace pw

#include "entry/note_entry.h"

#include "entry/voice_notes.h"

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "harmony/harmony_check.h"
#include "platform/ui.h"

namespace pw {

NoteEntry::NoteEntry(HarExercis &ex, TMusDefinitor &definitor, Ui &ui, EntryView &view)
    : m_ex(ex)
    , m_definitor(definitor)
    , m_ui(ui)
    , m_view(view)
{
}

int NoteEntry::part() const
{
    return m_ex.CurPart;
}

int &NoteEntry::voice()
{
    return m_ex.current().CurVoice;
}

int &NoteEntry::tact()
{
    return m_ex.current().CurTact;
}

int &NoteEntry::pos()
{
    return m_ex.current().CurPos;
}

bool NoteEntry::editable(int v) const
{
    return v >= 0 && v < 4 && m_ex.current().VoiceFree[static_cast<std::size_t>(v)];
}

int NoteEntry::AdvanceMode() const
{
    return m_ex.EditMode ? 2 : 1;
}

int NoteEntry::absoluteIndex(const VoiceNotes &notes) const
{
    return notes.firstOf(m_ex.current().CurTact) + m_ex.current().CurPos;
}

int NoteEntry::PitchFromMidi(int noteNumber) const
{
    if (!m_ex.HasCurrentPart())
        return 0;
    const Tonality key = m_ex.current().Tonality;
    int shift = 5 * key.val - 12 * (5 * key.val / 12);
    if (key.val < 0)
        shift += 12;
    if (key.type == 0)
        return noteNumber - 21 - shift;
    if (key.type == 1)
        return noteNumber - 21 - shift - 3;
    return 0;
}

int NoteEntry::InsertFromMidi(int noteNumber)
{
    return InsertNote(m_ex.CurrentLength(), PitchFromMidi(noteNumber), m_ex.CurrentDot());
}

void NoteEntry::extendToCursor()
{
    Tacts &tacts = m_ex.current().Tacts;
    if (tact() > tacts.TactCount - 1) {
        // New measures are empty; SetTactCount clears the last one, the others are zero too.
        tacts.SetTactCount(tact() + 1);
        pos() = 0;
    }
}

void NoteEntry::rebuild()
{
    BuildTacts(m_ex.current().Node, m_ex.current().Tacts);
}

int NoteEntry::InsertNote(int length, int pitch, int dot)
{
    if (!m_ex.HasCurrentPart() || !editable(voice()) || !m_ex.WriteNotes)
        return -1;
    // A rest never matches the given voice: only a real pitch can be the given note played again.
    if (m_ex.FreeFixVoice && pitch >= 0 && pitch == FixedVoicePitchAtCursor())
        return -1;

    ++m_ex.InsertCount;
    m_ex.SaveSnapshot();
    m_ex.PushUndoStep("Insert Note");
    extendToCursor();

    VoiceNotes notes(m_ex, part(), voice());
    const int index = absoluteIndex(notes);
    m_ex.LastInsertPart = part();
    m_ex.LastInsertTact = tact();
    m_ex.LastInsertPos = pos();

    XmlNode note = notes.at(index);
    if (note) {
        SetNotePitch(note, pitch);
        SetNoteLength(note, length);
    } else {
        note = AppendNote(notes.element(), length, pitch);
    }
    SetDotted(note, dot == 1);

    if (!m_ex.current().Def.empty() && !m_ex.EditMode)
        AnalyseInsertion(m_ex, m_definitor, tact(), pos(), pitch, length, dot);
    rebuild();
    // The checking pass brings the part's errors and completion up to date.
    m_ex.NotifyChanged(ExerciseChange::Edited, part());
    return 0;
}

void NoteEntry::DeleteNoteAtCursor()
{
    if (!m_ex.EditMode || !m_ex.HasCurrentPart() || voice() < 0)
        return;
    m_ex.SaveSnapshot();
    extendToCursor();
    VoiceNotes notes(m_ex, part(), voice());
    const bool removed = RemoveNode(notes.at(absoluteIndex(notes)));
    if (removed)
        rebuild();
    m_ex.PushUndoStep("Delete complete note");
    if (removed)
        m_ex.NotifyChanged(ExerciseChange::Edited, part());
}

void NoteEntry::ToggleExemption()
{
    if (!m_ex.EditMode || !m_ex.HasCurrentPart() || voice() < 0)
        return;
    ++m_ex.InsertCount;
    m_ex.SaveSnapshot();
    extendToCursor();
    VoiceNotes notes(m_ex, part(), voice());
    XmlNode note = notes.at(absoluteIndex(notes));
    m_ex.LastInsertPart = part();
    m_ex.LastInsertTact = tact();
    m_ex.LastInsertPos = pos();
    if (!note)
        return;
    SetExempt(note, !IsExempt(note));
    m_ex.NotifyChanged(ExerciseChange::Edited, part());
}

int NoteEntry::FixedVoicePitchAtCursor() const
{
    if (!m_ex.HasCurrentPart())
        return -1;
    int fixedVoice = -1;
    int fixedCount = 0;
    for (int v = 0; v < 4; ++v) {
        if (!editable(v)) {
            fixedVoice = v;
            ++fixedCount;
        }
    }
    const ExercisePart &shown = m_ex.current();
    const int current = shown.CurVoice;
    if (fixedCount != 1 || current < 0)
        return -1;
    const int t = shown.CurTact;
    const int p = shown.CurPos;
    VoiceNotes mine(m_ex, part(), current);
    VoiceNotes given(m_ex, part(), fixedVoice);
    const NSize point = mine.sumThrough(t, p);
    const int first = given.firstOf(t);
    if (p == 0)
        return given.countIn(t) > 0 ? NotePitch(given.at(first)) : -1;
    NSize before;
    for (int i = first; i < first + given.countIn(t); ++i) {
        if (before.CompareTo(point) <= 0)
            return NotePitch(given.at(i));
        before.AddNote(given.at(i));
    }
    return -1;
}

int NoteEntry::PartDown()
{
    if (m_ex.CurPart < m_ex.PartCount() - 1) {
        ++m_ex.CurPart;
        return cursorMoved(m_view.CursorScrollRows());
    }
    if (!m_ex.EditMode || !m_ui.confirm("Add new part", "Are you really want to add new part?"))
        return 0;
    m_ex.SaveSnapshot();
    m_ex.PushUndoStep("Insert new Part");
    addPart();
    return m_view.CursorScrollRows();
}

int NoteEntry::PartUp()
{
    if (m_ex.CurPart <= 0)
        return 0;
    --m_ex.CurPart;
    return cursorMoved(m_view.CursorScrollRows());
}

void NoteEntry::addPart()
{
    XmlNode newPart = AppendPartElement(ExerciseElement(*m_ex.Doc));
    // The new part's place among the file's parts: after every one of them.
    const int position = static_cast<int>(m_ex.PartList.size());
    m_ex.PartList.push_back(newPart);
    m_ex.AppendPart(newPart, position).CurVoice = 0;
    m_ex.CurPart = m_ex.PartCount() - 1;
    rebuild();
    m_ex.NotifyChanged(ExerciseChange::Edited, m_ex.CurPart);
}

} // namespace pw

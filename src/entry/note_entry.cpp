#include "entry/note_entry.h"

#include "entry/voice_notes.h"

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
    return m_ex.PartCurVoice[static_cast<std::size_t>(part())];
}

int &NoteEntry::tact()
{
    return m_ex.PartCurTact[static_cast<std::size_t>(part())];
}

int &NoteEntry::pos()
{
    return m_ex.PartCurPos[static_cast<std::size_t>(part())];
}

bool NoteEntry::editable(int v) const
{
    return v >= 0 && v < 4
        && m_ex.PartVoiceFree[static_cast<std::size_t>(part())][static_cast<std::size_t>(v)];
}

int NoteEntry::AdvanceMode() const
{
    return m_ex.EditMode ? 2 : 1;
}

int NoteEntry::absoluteIndex(const VoiceNotes &notes) const
{
    return notes.firstOf(m_ex.PartCurTact[static_cast<std::size_t>(part())])
        + m_ex.PartCurPos[static_cast<std::size_t>(part())];
}

int NoteEntry::PitchFromMidi(int noteNumber) const
{
    if (part() < 0 || part() >= m_ex.PartCount)
        return 0;
    const Tonality key = m_ex.PartTonality[static_cast<std::size_t>(part())];
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
    Tacts &tacts = m_ex.PartTacts[static_cast<std::size_t>(part())];
    if (tact() > tacts.TactCount - 1) {
        // New measures are empty; SetTactCount clears the last one, the others are zero too.
        tacts.SetTactCount(tact() + 1);
        pos() = 0;
    }
}

void NoteEntry::rebuild()
{
    BuildTacts(m_ex.PartNodes[static_cast<std::size_t>(part())],
               m_ex.PartTacts[static_cast<std::size_t>(part())]);
}

int NoteEntry::InsertNote(int length, int pitch, int dot)
{
    if (part() < 0 || part() >= m_ex.PartCount || !editable(voice()) || !m_ex.WriteNotes)
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
        SetAttr(note, "High", pitch);
        SetAttr(note, "Long", length);
    } else {
        note = AddChild(notes.element(), "Note", {"Long", std::to_string(length)},
                        {"High", std::to_string(pitch)});
    }
    if (dot == 1)
        SetAttr(note, "P", "1");
    else
        RemoveAttr(note, "P");

    if (!m_ex.PartDef[static_cast<std::size_t>(part())].empty() && !m_ex.EditMode)
        AnalyseInsertion(m_ex, m_definitor, tact(), pos(), pitch, length, dot);
    rebuild();
    updateCompletion();
    return 0;
}

// Only exercises of a fixed length can be complete: every editable voice must fill the part's
// last measure exactly.
void NoteEntry::updateCompletion()
{
    const auto p = static_cast<std::size_t>(part());
    bool done = m_ex.HasFixedLength;
    const Tacts &tacts = m_ex.PartTacts[p];
    const int last = tacts.TactCount - 1;
    for (int v = 0; v < 4 && done; ++v) {
        if (!editable(v))
            continue;
        VoiceNotes notes(m_ex, part(), v);
        done = notes.measuresWithNotes() == tacts.TactCount
            && notes.sumThrough(last, notes.countIn(last) - 1)
                    .CompareTo(NominalTactSize(m_ex.PartNodes[p], last))
                == 0;
    }
    m_ex.PartDone[p] = done;
}

void NoteEntry::DeleteNoteAtCursor()
{
    if (!m_ex.EditMode || part() < 0 || part() >= m_ex.PartCount || voice() < 0)
        return;
    m_ex.SaveSnapshot();
    extendToCursor();
    VoiceNotes notes(m_ex, part(), voice());
    if (XmlNode note = notes.at(absoluteIndex(notes))) {
        RemoveNode(note);
        rebuild();
        updateCompletion();
    }
    m_ex.PushUndoStep("Delete complete note");
}

void NoteEntry::ToggleExemption()
{
    if (!m_ex.EditMode || part() < 0 || part() >= m_ex.PartCount || voice() < 0)
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
    if (!GetAttr(note, "BH").empty())
        RemoveAttr(note, "BH");
    else
        SetAttr(note, "BH", "Y");
}

int NoteEntry::FixedVoicePitchAtCursor() const
{
    if (part() < 0 || part() >= m_ex.PartCount)
        return -1;
    int fixedVoice = -1;
    int fixedCount = 0;
    for (int v = 0; v < 4; ++v) {
        if (!editable(v)) {
            fixedVoice = v;
            ++fixedCount;
        }
    }
    const int current = m_ex.PartCurVoice[static_cast<std::size_t>(part())];
    if (fixedCount != 1 || current < 0)
        return -1;
    const int t = m_ex.PartCurTact[static_cast<std::size_t>(part())];
    const int p = m_ex.PartCurPos[static_cast<std::size_t>(part())];
    VoiceNotes mine(m_ex, part(), current);
    VoiceNotes given(m_ex, part(), fixedVoice);
    const NSize point = mine.sumThrough(t, p);
    const int first = given.firstOf(t);
    if (p == 0)
        return given.countIn(t) > 0 ? GetAttrInt(given.at(first), "High", 0) : -1;
    NSize before;
    for (int i = first; i < first + given.countIn(t); ++i) {
        if (before.CompareTo(point) <= 0)
            return GetAttrInt(given.at(i), "High", 0);
        before.AddNote(given.at(i));
    }
    return -1;
}

int NoteEntry::PartDown()
{
    if (m_ex.CurPart < m_ex.PartCount - 1) {
        ++m_ex.CurPart;
        return m_view.CursorScrollRows();
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
    return m_view.CursorScrollRows();
}

void NoteEntry::addPart()
{
    XmlNode exercise = SelectNode(*m_ex.Doc, "//MExercise");
    XmlNode newPart = AddChild(exercise, "Part", {"Key0", "4"}, {"Key1", "1"});
    AddChild(newPart, "Tonality", {"type", "0"}, {"val", "0"});
    AddChild(newPart, "Size", {"chi", "4"}, {"zna", "8"});

    int position = 0;
    for (XmlNode p : exercise.children("Part")) {
        if (p == newPart)
            break;
        ++position;
    }
    m_ex.PartList.push_back(newPart);
    m_ex.PartNodes.push_back(newPart);
    m_ex.PartOrder.push_back(position);
    m_ex.PartTonality.push_back({0, 0});
    m_ex.PartDef.emplace_back();
    m_ex.PartCheckType.emplace_back();
    m_ex.PartTacts.emplace_back();
    m_ex.PartLengthVoice.push_back(-1);
    m_ex.PartCurVoice.push_back(0);
    m_ex.PartCurTact.push_back(0);
    m_ex.PartCurPos.push_back(0);
    m_ex.PartErrors.push_back(0);
    m_ex.PartDone.push_back(false);
    m_ex.PartVoiceFree.push_back({true, true, true, true});
    ++m_ex.PartCount;
    m_ex.CurPart = m_ex.PartCount - 1;
    rebuild();
}

} // namespace pw

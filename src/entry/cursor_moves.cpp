// The cursor and voice commands of note entry, and where the cursor goes after an insertion.

#include "entry/note_entry.h"
#include "entry/voice_notes.h"

#include "document/har_exercis.h"

namespace pw {

// Every move of the cursor brings the current length in line with the voice that gives it, so the
// next note has the length the exercise asks for wherever the cursor went.
int NoteEntry::cursorMoved(int rows)
{
    m_ex.UpdateCurrentLength();
    m_ex.NotifyChanged(ExerciseChange::Cursor, part());
    return rows;
}

int NoteEntry::scrollAndRedraw()
{
    const int rows = m_view.CursorScrollRows();
    m_view.DrawCursor(true);
    return rows;
}

int NoteEntry::firstEditableInOrder() const
{
    const auto &order = VoiceOrderOf(m_ex.SpecialMoveType);
    for (int i = 0; i < 4; ++i) {
        if (editable(order[static_cast<std::size_t>(i)]))
            return order[static_cast<std::size_t>(i)];
    }
    return -1;
}

void NoteEntry::changeVoice(int newVoice)
{
    voice() = newVoice;
    clampCursorToVoice();
}

// After a voice change the cursor must stand on or just after the new voice's notes.
void NoteEntry::clampCursorToVoice()
{
    if (voice() < 0)
        return;
    VoiceNotes notes(m_ex, part(), voice());
    const int measures = notes.measuresWithNotes();
    if (measures < tact())
        tact() = std::max(0, measures - 1);
    if (notes.count() == 0)
        pos() = 0;
    else if (pos() > notes.countIn(tact()))
        pos() = std::max(0, notes.countIn(tact()) - 1);
}

bool NoteEntry::cursorNoteAlignedInEveryVoice(const VoiceNotes &current) const
{
    const ExercisePart &shown = m_ex.current();
    for (int v = 0; v < 4; ++v) {
        if (!editable(v) || v == shown.CurVoice)
            continue;
        VoiceNotes other(m_ex, part(), v);
        if (!AlignedNote(shown.Node, shown.Tacts, current.slot(), shown.CurTact, shown.CurPos, other.slot()))
            return false;
    }
    return true;
}

int NoteEntry::AdvanceAfterInsert()
{
    if (AdvanceMode() == 2)
        return cursorMoved(cursorRight());
    if (!m_ex.HasCurrentPart() || voice() < 0)
        return 0;
    const auto &order = VoiceOrderOf(m_ex.SpecialMoveType);
    int last = -1;
    for (int i = 3; i >= 0 && last < 0; --i) {
        if (editable(order[static_cast<std::size_t>(i)]))
            last = order[static_cast<std::size_t>(i)];
    }
    if (voice() != last) {
        int at = 0;
        while (at < 4 && order[static_cast<std::size_t>(at)] != voice())
            ++at;
        for (int i = at + 1; i < 4; ++i) {
            if (editable(order[static_cast<std::size_t>(i)])) {
                changeVoice(order[static_cast<std::size_t>(i)]);
                return cursorMoved(m_view.CursorScrollRows());
            }
        }
        return cursorMoved(0);
    }

    const ExercisePart &shown = m_ex.current();
    VoiceNotes current(m_ex, part(), voice());
    for (int i = 0; i < 4; ++i) {
        const int v = order[static_cast<std::size_t>(i)];
        if (!editable(v))
            continue;
        VoiceNotes other(m_ex, part(), v);
        if (!AlignedNote(shown.Node, shown.Tacts, current.slot(), tact(), pos(), other.slot())) {
            changeVoice(v);
            return cursorMoved(0);
        }
    }
    for (int v = 0; v < 4; ++v) {
        if (editable(v) && v != voice()) {
            voice() = v;
            break;
        }
    }
    return cursorMoved(cursorRight());
}

int NoteEntry::CursorRight()
{
    return cursorMoved(cursorRight());
}

int NoteEntry::cursorRight()
{
    if (!m_ex.HasCurrentPart() || voice() < 0)
        return 0;
    {
        VoiceNotes current(m_ex, part(), voice());
        int editableVoices = 0;
        for (int v = 0; v < 4; ++v)
            editableVoices += editable(v) ? 1 : 0;
        const int slack = editableVoices == 1 ? 1 : 0;
        if (current.count() + slack < absoluteIndex(current) || !cursorNoteAlignedInEveryVoice(current))
            return 0;
    }
    if (m_ex.AlwaysBass)
        voice() = firstEditableInOrder();

    m_view.DrawCursor(false);
    Tacts &tacts = m_ex.current().Tacts;
    VoiceNotes current(m_ex, part(), voice());
    const NSize sum = current.sumThrough(tact(), pos());
    const bool measureFull
        = tact() < tacts.TactCount && sum.CompareTo(tacts.TactSize[static_cast<std::size_t>(tact())]) == 0;
    if (!measureFull) {
        if (pos() < current.countIn(tact()))
            ++pos();
    } else if (tact() < tacts.TactCount - 1) {
        ++tact();
        pos() = 0;
    } else if (sum.CompareTo(NominalTactSize(m_ex.current().Node, tact())) != 0) {
        // The last measure is only as long as what is written so far: it is not full yet, even in
        // an exercise of fixed length.
        ++pos();
    } else if (m_ex.HasFixedLength) {
        tact() = 0;
        pos() = 0;
    } else {
        tacts.SetTactCount(tacts.TactCount + 1);
        tact() = tacts.TactCount - 1;
        pos() = 0;
        m_view.RelayoutPart(part());
    }
    return scrollAndRedraw();
}

int NoteEntry::CursorLeft()
{
    return cursorMoved(cursorLeft());
}

int NoteEntry::cursorLeft()
{
    if (!m_ex.HasCurrentPart() || voice() < 0)
        return 0;
    m_view.DrawCursor(false);
    VoiceNotes current(m_ex, part(), voice());
    if (pos() > 0) {
        --pos();
    } else if (tact() > 0) {
        --tact();
        pos() = std::max(0, current.countIn(tact()) - 1);
    } else if (AdvanceMode() == 1 && current.count() > 0) {
        const int last = current.measuresWithNotes() - 1;
        const int notesInLast = current.countIn(last);
        const bool complete
            = current.sumThrough(last, notesInLast - 1).CompareTo(NominalTactSize(m_ex.current().Node, last))
            == 0;
        tact() = last;
        pos() = complete ? notesInLast - 1 : notesInLast;
    }
    if (m_ex.AlwaysBass)
        voice() = firstEditableInOrder();
    return scrollAndRedraw();
}

int NoteEntry::VoiceUp()
{
    if (!m_ex.HasCurrentPart() || voice() < 0)
        return 0;
    int target = -1;
    for (int v = voice() + 1; v < 4 && target < 0; ++v) {
        if (editable(v))
            target = v;
    }
    if (target < 0)
        return 0;
    voice() = target;
    // Step back until the new voice reaches the cursor; each step moves left by one place.
    for (int guard = 0; guard < 1000; ++guard) {
        VoiceNotes notes(m_ex, part(), voice());
        if (notes.count() >= absoluteIndex(notes) || (tact() == 0 && pos() == 0))
            break;
        cursorLeft();
        voice() = target;
    }
    clampCursorToVoice();
    return cursorMoved(m_view.CursorScrollRows());
}

int NoteEntry::VoiceDown()
{
    if (!m_ex.HasCurrentPart() || voice() < 0)
        return 0;
    for (int v = voice() - 1; v >= 0; --v) {
        if (editable(v)) {
            changeVoice(v);
            return cursorMoved(m_view.CursorScrollRows());
        }
    }
    return 0;
}

void NoteEntry::SelectVoice(int v)
{
    if (m_ex.HasCurrentPart() && editable(v)) {
        voice() = v;
        cursorMoved(0);
    }
}

bool NoteEntry::CanChangeVoice(int direction) const
{
    if (!m_ex.HasCurrentPart())
        return false;
    const int current = m_ex.current().CurVoice;
    if (direction > 0) {
        for (int v = current + 1; v < 4; ++v) {
            if (editable(v))
                return true;
        }
        return false;
    }
    if (direction < 0) {
        for (int v = current - 1; v >= 0; --v) {
            if (editable(v))
                return true;
        }
        return false;
    }
    return true;
}

} // namespace pw

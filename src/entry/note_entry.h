#pragma once

#include "entry/entry_view.h"

namespace pw {

class HarExercis;
class TMusDefinitor;
class Ui;
class VoiceNotes;

// Note entry and editing at the cursor of the exercise document: every input source (MIDI
// keyboard, computer keyboard, on-screen piano) ends in InsertFromMidi or, for rests, InsertNote.
// Commands that move the view return the rows to scroll by.
class NoteEntry
{
public:
    NoteEntry(HarExercis &ex, TMusDefinitor &definitor, Ui &ui, EntryView &view);

    // 0 when a note was written, -1 when the input was ignored.
    int InsertFromMidi(int noteNumber);
    int InsertNote(int length, int pitch, int dot);
    int PitchFromMidi(int noteNumber) const;

    int AdvanceAfterInsert();
    int CursorRight();
    int CursorLeft();
    int VoiceUp();
    int VoiceDown();
    void SelectVoice(int voice);
    // Whether an editable voice lies above (direction > 0) or below (< 0) the current one.
    bool CanChangeVoice(int direction) const;
    // The pitch of the given voice's note that sounds with the note about to be entered, when
    // exactly one voice is given; -1 otherwise.
    int FixedVoicePitchAtCursor() const;

    // Editor mode only.
    void DeleteNoteAtCursor();
    void ToggleExemption();

    int PartDown();
    int PartUp();

    // Advance mode: 1 voice by voice, 2 (authoring) along the current voice.
    int AdvanceMode() const;

private:
    int part() const;
    int &voice();
    int &tact();
    int &pos();
    bool editable(int voice) const;
    int absoluteIndex(const VoiceNotes &notes) const;
    void extendToCursor();
    void rebuild();
    bool cursorNoteAlignedInEveryVoice(const VoiceNotes &current) const;
    int firstEditableInOrder() const;
    void changeVoice(int newVoice);
    void clampCursorToVoice();
    int scrollAndRedraw();
    int cursorRight();
    int cursorLeft();
    // Tells the document's listeners that the cursor moved; returns rows.
    int cursorMoved(int rows);
    void addPart();

    HarExercis &m_ex;
    TMusDefinitor &m_definitor;
    Ui &m_ui;
    EntryView &m_view;
};

} // namespace pw

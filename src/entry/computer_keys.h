#pragma once

namespace pw {

// Keys of the computer keyboard, as Qt numbers them (Qt::Key values; letters are upper case).
namespace keys {
inline constexpr int Semicolon = 0x3b;
inline constexpr int Apostrophe = 0x27;
inline constexpr int BracketRight = 0x5d;
inline constexpr int Backslash = 0x5c;
inline constexpr int Slash = 0x2f;
// The extra key of ISO keyboards, between left Shift and Z, types "<" or ">".
inline constexpr int Less = 0x3c;
inline constexpr int Greater = 0x3e;
} // namespace keys

inline constexpr int RestStep = -1;
inline constexpr int NoStep = -2;
inline constexpr int RestNote = -25;
inline constexpr int NoNote = -26;

// Semitones above the A below middle C (3 is C) for a note key, RestStep for a rest key (Q, /,
// the extra key), NoStep for any other key. The row A W S E D F T G Y H U J K O L P ; ' ] \ is a
// piano keyboard from C to G.
int StepFromKey(int key);

// The step moved to the current voice's octave: step + 12 * (voice - 2); RestNote, NoNote.
int NoteFromKey(int key, int voice);

// The MIDI note number a note key plays: the note moved by the voice's octave offset, from A3.
int MidiNoteFromKey(int key, int voice, int octaveOffset);

} // namespace pw

#pragma once

// The vocabulary of the exercise file: its elements and attributes, read and written through
// typed accessors, so that note entry, analysis, drawing and the tools never spell a name of the
// file format. Every default is the file format's; a missing node reads as the default.

#include "document/har_exercis.h"
#include "document/note_size.h"
#include "document/xml_access.h"

#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Voice types besides the note voices ("" or "Notes").
inline constexpr std::string_view AnalysisVoiceType = "Def";
inline constexpr std::string_view TextVoiceType = "Text";
inline constexpr std::string_view ExpectedVoiceType = "TextNote";
// The attribute of a chord's name, on analysis and expected-analysis notes.
inline constexpr std::string_view ChordNameAttribute = "Text";

// The exercise element of a loaded file, anywhere in it.
XmlNode ExerciseElement(const pugi::xml_document &doc);
// A new part after the others: treble and bass clefs, A minor without signs, 4/4.
XmlNode AppendPartElement(XmlNode exercise);

// The attributes an author sets on the exercise element (E) and on a part (P), for the editor of
// the parameters; the time signature (chi, zna) and key (type, val) elements follow them.
namespace exercise_attr {
inline constexpr const char *ShowPartsCount = "ShowPartsCount"; // E
inline constexpr const char *CasualTonality = "CasualTonality"; // E
inline constexpr const char *Def = "Def"; // E, P
inline constexpr const char *CheckType = "CheckType"; // E, P
inline constexpr const char *DefaultLength = "DefaultLength"; // E, P
inline constexpr const char *FixedLength = "FixedLength"; // E
inline constexpr const char *FixedVoice = "FixedVoice"; // E, P
inline constexpr const char *CountIteration = "CountIteration"; // E
inline constexpr const char *LimitSec = "LimitSec"; // E
inline constexpr const char *TimerProportional = "TimerProportional"; // E
inline constexpr const char *Compare = "Compare"; // E
inline constexpr const char *FirstTactChi = "FirstTactChi"; // P
inline constexpr const char *FirstTactZna = "FirstTactZna"; // P
inline constexpr const char *SizeChi = "chi"; // the Size element
inline constexpr const char *SizeZna = "zna";
inline constexpr const char *TonalityType = "type"; // the Tonality element
inline constexpr const char *TonalityVal = "val";
} // namespace exercise_attr

// Parts.
XmlNode SizeElement(XmlNode part);
XmlNode TonalityElement(XmlNode part);
Tonality PartTonality(XmlNode part);
// The time signature chi/zna (Size).
NSize TimeSignature(XmlNode part);
// The clef code of staff (Key0, Key1, …).
int ClefOf(XmlNode part, int staff);

// Voices.
int VoiceNumber(XmlNode voice);
std::string VoiceType(XmlNode voice);
bool IsAnalysisVoice(XmlNode voice);
// The part's first voice of the type, or no node.
XmlNode FirstVoiceOfType(XmlNode part, std::string_view type);
bool HasVoiceOfType(XmlNode part, std::string_view type);
// A voice of notes with H = voice, or an analysis voice, appended to the part.
XmlNode AppendNoteVoice(XmlNode part, int voice);
XmlNode AppendAnalysisVoice(XmlNode part);
// The Note children of a voice, in time order.
std::vector<XmlNode> NotesOf(XmlNode voice);
int NoteCount(XmlNode voice);
XmlNode FirstNote(XmlNode voice);
XmlNode PreviousNote(XmlNode note);
XmlNode NextNote(XmlNode note);
// The index of a note among its voice's notes.
int NoteIndex(XmlNode note);

// Notes: pitch (High; negative is a rest), length code (Long), dot flag (P, dotted above 0) and the
// exemption from the transition check (BH).
int NotePitch(XmlNode note);
void SetNotePitch(XmlNode note, int high);
int NoteLength(XmlNode note);
void SetNoteLength(XmlNode note, int length);
int NoteDot(XmlNode note);
bool IsDotted(XmlNode note);
// P="1" when dotted, no P otherwise.
void SetDotted(XmlNode note, bool dotted);
bool IsExempt(XmlNode note);
void SetExempt(XmlNode note, bool exempt);
XmlNode AppendNote(XmlNode voice, int length, int high);

// Analysis notes: the chord name (Text), the step from the previous chord (Move) and the parallels
// (Err).
std::string ChordName(XmlNode note);
void SetChordName(XmlNode note, const std::string &name);
XmlNode AppendAnalysisNote(XmlNode voice, int length, const std::string &name);
std::string StepName(XmlNode note);
void SetStepName(XmlNode note, const std::string &step);
void RemoveStepName(XmlNode note);
std::string ParallelMark(XmlNode note);
void SetParallelMark(XmlNode note, const std::string &mark);
void RemoveParallelMark(XmlNode note);
// The label component a check letter compares: N the name, T S L M the descriptors, O the tonality
// type (TT); empty for any other letter.
std::string_view CheckedAttribute(char letter);
// The chord descriptors written beside the name, in file order.
inline constexpr std::string_view ChordDescriptors[] = {"T", "S", "L", "M", "TT"};

} // namespace pw

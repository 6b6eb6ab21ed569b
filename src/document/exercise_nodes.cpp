#include "document/exercise_nodes.h"

#include <iterator>

namespace pw {

XmlNode ExerciseElement(const pugi::xml_document &doc)
{
    return SelectNode(doc, "//MExercise");
}

XmlNode AppendPartElement(XmlNode exercise)
{
    XmlNode part = AddChild(exercise, "Part", {"Key0", "4"}, {"Key1", "1"});
    AddChild(part, "Tonality", {"type", "0"}, {"val", "0"});
    AddChild(part, "Size", {"chi", "4"}, {"zna", "8"});
    return part;
}

XmlNode SizeElement(XmlNode part)
{
    return part.child("Size");
}

XmlNode TonalityElement(XmlNode part)
{
    return part.child("Tonality");
}

Tonality PartTonality(XmlNode part)
{
    XmlNode tonality = TonalityElement(part);
    return {GetAttrInt(tonality, exercise_attr::TonalityType, 0),
            GetAttrInt(tonality, exercise_attr::TonalityVal, 0)};
}

NSize TimeSignature(XmlNode part)
{
    XmlNode size = SizeElement(part);
    return NSize(GetAttrInt(size, exercise_attr::SizeChi, 0), GetAttrInt(size, exercise_attr::SizeZna, 0));
}

int ClefOf(XmlNode part, int staff)
{
    return GetAttrInt(part, "Key" + std::to_string(staff), 0);
}

int VoiceNumber(XmlNode voice)
{
    return GetAttrInt(voice, "H", 0);
}

std::string VoiceType(XmlNode voice)
{
    return GetAttr(voice, "Type");
}

bool IsAnalysisVoice(XmlNode voice)
{
    return VoiceType(voice) == AnalysisVoiceType;
}

XmlNode FirstVoiceOfType(XmlNode part, std::string_view type)
{
    for (XmlNode voice : part.children("Voice")) {
        if (VoiceType(voice) == type)
            return voice;
    }
    return {};
}

bool HasVoiceOfType(XmlNode part, std::string_view type)
{
    return static_cast<bool>(FirstVoiceOfType(part, type));
}

XmlNode AppendNoteVoice(XmlNode part, int voice)
{
    return AddChild(part, "Voice", {"H", std::to_string(voice)});
}

XmlNode AppendAnalysisVoice(XmlNode part)
{
    return AddChild(part, "Voice", {"Type", AnalysisVoiceType});
}

std::vector<XmlNode> NotesOf(XmlNode voice)
{
    std::vector<XmlNode> notes;
    for (XmlNode note : voice.children("Note"))
        notes.push_back(note);
    return notes;
}

int NoteCount(XmlNode voice)
{
    const auto notes = voice.children("Note");
    return static_cast<int>(std::distance(notes.begin(), notes.end()));
}

XmlNode FirstNote(XmlNode voice)
{
    return voice.child("Note");
}

XmlNode PreviousNote(XmlNode note)
{
    return note.previous_sibling("Note");
}

XmlNode NextNote(XmlNode note)
{
    return note.next_sibling("Note");
}

int NoteIndex(XmlNode note)
{
    int index = 0;
    for (XmlNode n = PreviousNote(note); n; n = PreviousNote(n))
        ++index;
    return index;
}

int NotePitch(XmlNode note)
{
    return GetAttrInt(note, "High", 0);
}

void SetNotePitch(XmlNode note, int high)
{
    SetAttr(note, "High", high);
}

int NoteLength(XmlNode note)
{
    return GetAttrInt(note, "Long", 0);
}

void SetNoteLength(XmlNode note, int length)
{
    SetAttr(note, "Long", length);
}

int NoteDot(XmlNode note)
{
    return GetAttrInt(note, "P", 0);
}

bool IsDotted(XmlNode note)
{
    return NoteDot(note) > 0;
}

void SetDotted(XmlNode note, bool dotted)
{
    if (dotted)
        SetAttr(note, "P", "1");
    else
        RemoveAttr(note, "P");
}

bool IsExempt(XmlNode note)
{
    return !GetAttr(note, "BH").empty();
}

void SetExempt(XmlNode note, bool exempt)
{
    if (exempt)
        SetAttr(note, "BH", "Y");
    else
        RemoveAttr(note, "BH");
}

XmlNode AppendNote(XmlNode voice, int length, int high)
{
    return AddChild(voice, "Note", {"Long", std::to_string(length)}, {"High", std::to_string(high)});
}

std::string ChordName(XmlNode note)
{
    return GetAttr(note, ChordNameAttribute);
}

void SetChordName(XmlNode note, const std::string &name)
{
    SetAttr(note, ChordNameAttribute, name);
}

XmlNode AppendAnalysisNote(XmlNode voice, int length, const std::string &name)
{
    return AddChild(voice, "Note", {"Long", std::to_string(length)}, {ChordNameAttribute, name});
}

std::string StepName(XmlNode note)
{
    return GetAttr(note, "Move");
}

void SetStepName(XmlNode note, const std::string &step)
{
    SetAttr(note, "Move", step);
}

void RemoveStepName(XmlNode note)
{
    RemoveAttr(note, "Move");
}

std::string ParallelMark(XmlNode note)
{
    return GetAttr(note, "Err");
}

void SetParallelMark(XmlNode note, const std::string &mark)
{
    SetAttr(note, "Err", mark);
}

void RemoveParallelMark(XmlNode note)
{
    RemoveAttr(note, "Err");
}

std::string_view CheckedAttribute(char letter)
{
    switch (letter) {
    case 'N':
        return ChordNameAttribute;
    case 'O':
        return "TT";
    case 'T':
        return "T";
    case 'S':
        return "S";
    case 'L':
        return "L";
    case 'M':
        return "M";
    default:
        return {};
    }
}

} // namespace pw

#include "harmony/part_analysis.h"

#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/harmony_check.h"

namespace pw {

namespace {

// The lowest-numbered note voice that has notes, or -1.
int lowestWrittenVoice(XmlNode part)
{
    int lowest = -1;
    for (XmlNode voice : part.children("Voice")) {
        const int h = GetAttrInt(voice, "H", 0);
        if (IsNoteVoice(voice) && voice.child("Note") && h >= 0 && h <= 3 && (lowest < 0 || h < lowest))
            lowest = h;
    }
    return lowest;
}

int slotOf(const Tacts &tacts, int id)
{
    for (std::size_t s = 0; s < tacts.VoiceIds.size(); ++s) {
        if (tacts.VoiceIds[s] == id)
            return static_cast<int>(s);
    }
    return -1;
}

} // namespace

void EmptyAnalysisVoices(HarExercis &ex, int part)
{
    for (XmlNode voice : ex.PartNodes[static_cast<std::size_t>(part)].children("Voice")) {
        if (GetAttr(voice, "Type") == "Def") {
            while (XmlNode note = voice.child("Note"))
                voice.remove_child(note);
        }
    }
}

void AnalyseWrittenPart(HarExercis &ex, TMusDefinitor &definitor, int part)
{
    const auto p = static_cast<std::size_t>(part);
    XmlNode partNode = ex.PartNodes[p];
    Tacts &tacts = ex.PartTacts[p];
    const int voice = lowestWrittenVoice(partNode);
    if (voice < 0)
        return;
    ex.CurPart = part;
    ex.PartCurVoice[p] = voice;
    BuildTacts(partNode, tacts);
    const int slot = slotOf(tacts, voice);
    int index = 0;
    for (XmlNode note : VoiceOfSlot(partNode, slot).children("Note")) {
        const NotePlace place = PlaceOfNote(tacts, slot, index++);
        CheckChordAt(ex, definitor, place.tact, place.pos, GetAttrInt(note, "High", 0),
                     GetAttrInt(note, "Long", 0), GetAttrInt(note, "P", 0) > 0 ? 1 : 0, true);
        BuildTacts(partNode, tacts);
    }
}

} // namespace pw

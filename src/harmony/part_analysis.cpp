#include "harmony/part_analysis.h"

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/harmony_check.h"

#include <vector>

namespace pw {

namespace {

// The lowest-numbered note voice that has notes, or -1.
int lowestWrittenVoice(XmlNode part)
{
    int lowest = -1;
    for (XmlNode voice : part.children("Voice")) {
        const int h = VoiceNumber(voice);
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
    for (XmlNode voice : ex.part(part).Node.children("Voice")) {
        if (IsAnalysisVoice(voice)) {
            while (XmlNode note = FirstNote(voice))
                RemoveNode(note);
        }
    }
}

void AnalyseWrittenPart(HarExercis &ex, TMusDefinitor &definitor, int part)
{
    ExercisePart &shown = ex.part(part);
    XmlNode partNode = shown.Node;
    Tacts &tacts = shown.Tacts;
    const int voice = lowestWrittenVoice(partNode);
    if (voice < 0)
        return;
    ex.CurPart = part;
    shown.CurVoice = voice;
    BuildTacts(partNode, tacts);
    const int slot = slotOf(tacts, voice);
    int index = 0;
    for (XmlNode note : NotesOf(VoiceOfSlot(partNode, slot))) {
        const NotePlace place = PlaceOfNote(tacts, slot, index++);
        CheckChordAt(ex, definitor, place.tact, place.pos, NotePitch(note), NoteLength(note),
                     IsDotted(note) ? 1 : 0, true);
        BuildTacts(partNode, tacts);
    }
}

void AnalyseWrittenExercise(HarExercis &ex, TMusDefinitor &definitor)
{
    struct Cursor
    {
        int voice, tact, pos;
    };
    const int current = ex.CurPart;
    std::vector<Cursor> cursors;
    for (const ExercisePart &p : ex.Parts)
        cursors.push_back({p.CurVoice, p.CurTact, p.CurPos});
    for (int p = 0; p < ex.PartCount(); ++p)
        EmptyAnalysisVoices(ex, p);
    for (int p = 0; p < ex.PartCount(); ++p)
        AnalyseWrittenPart(ex, definitor, p);
    ex.CurPart = current;
    for (std::size_t p = 0; p < cursors.size(); ++p) {
        ExercisePart &part = ex.Parts[p];
        part.CurVoice = cursors[p].voice;
        part.CurTact = cursors[p].tact;
        part.CurPos = cursors[p].pos;
    }
    ex.NotifyChanged(ExerciseChange::Edited);
}

} // namespace pw

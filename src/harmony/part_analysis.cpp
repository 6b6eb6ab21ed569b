#include "harmony/part_analysis.h"

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/harmony_check.h"

#include <array>
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
    return tacts.FindSlot(id).value_or(-1);
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
    // Each chord as CheckChordAt analyses it, the index rebuilt after each; the run keeps the
    // index current without reading the whole part again for every chord.
    ChordChecks checks(ex, definitor);
    int index = 0;
    for (XmlNode note : NotesOf(VoiceOfSlot(partNode, slot))) {
        const NotePlace place = PlaceOfNote(tacts, slot, index++);
        checks.Check(place.tact, place.pos, NotePitch(note), NoteLength(note), IsDotted(note) ? 1 : 0);
    }
    checks.Finish();
}

namespace {

// The cursors of every part, put back after analyses that walk the parts.
class CursorsKept
{
public:
    explicit CursorsKept(HarExercis &ex)
        : m_ex(ex)
        , m_current(ex.CurPart)
    {
        for (const ExercisePart &p : ex.Parts)
            m_cursors.push_back({p.CurVoice, p.CurTact, p.CurPos});
    }
    ~CursorsKept()
    {
        m_ex.CurPart = m_current;
        for (std::size_t p = 0; p < m_cursors.size() && p < m_ex.Parts.size(); ++p) {
            ExercisePart &part = m_ex.Parts[p];
            part.CurVoice = m_cursors[p][0];
            part.CurTact = m_cursors[p][1];
            part.CurPos = m_cursors[p][2];
        }
    }
    CursorsKept(const CursorsKept &) = delete;
    CursorsKept &operator=(const CursorsKept &) = delete;

private:
    HarExercis &m_ex;
    int m_current;
    std::vector<std::array<int, 3>> m_cursors;
};

bool allVoicesWritten(XmlNode part)
{
    for (int v = 0; v < 4; ++v) {
        if (!FirstNote(NoteVoice(part, v)))
            return false;
    }
    return true;
}

} // namespace

void AnalyseWrittenExercise(HarExercis &ex, TMusDefinitor &definitor)
{
    {
        const CursorsKept kept(ex);
        for (int p = 0; p < ex.PartCount(); ++p)
            EmptyAnalysisVoices(ex, p);
        for (int p = 0; p < ex.PartCount(); ++p)
            AnalyseWrittenPart(ex, definitor, p);
    }
    ex.NotifyChanged(ExerciseChange::Edited);
}

bool AnalyseWorkedExamples(HarExercis &ex, TMusDefinitor &definitor)
{
    bool analysed = false;
    {
        const CursorsKept kept(ex);
        for (int p = 0; p < ex.PartCount(); ++p) {
            const ExercisePart &part = ex.part(p);
            if (part.Def.empty() || definitor.GroupVoicesCount(part.Def) == 1 || !allVoicesWritten(part.Node))
                continue;
            EmptyAnalysisVoices(ex, p);
            AnalyseWrittenPart(ex, definitor, p);
            analysed = true;
        }
    }
    if (analysed)
        ex.NotifyChanged(ExerciseChange::Edited);
    return analysed;
}

} // namespace pw

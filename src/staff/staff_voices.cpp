#include "staff/staff_voices.h"

#include "document/exercise_nodes.h"

#include "staff/staff_notes.h"
#include "staff/staff_texts.h"

#include <vector>

namespace pw {

namespace {

enum class VoiceKind { Notes, Text, TextNote, Analysis, Other };

VoiceKind kindOf(const std::string &type)
{
    if (IsNoteVoiceType(type))
        return VoiceKind::Notes;
    if (type == TextVoiceType)
        return VoiceKind::Text;
    if (type == ExpectedVoiceType)
        return VoiceKind::TextNote;
    if (type == AnalysisVoiceType)
        return VoiceKind::Analysis;
    return VoiceKind::Other;
}

} // namespace

int NoteUnits(XmlNode note, int unit)
{
    const int length = NoteLength(note);
    if (length <= 0)
        return 0;
    int units = unit / length;
    if (IsDotted(note))
        units += unit / length / 2;
    return units;
}

void DrawVoices(StaffDrawing &d, int part)
{
    ExercisePart &shown = d.ex.part(part);
    const XmlNode partNode = shown.Node;
    Tacts &tacts = shown.Tacts;
    const Tonality &tonality = shown.Tonality;

    std::vector<XmlNode> voices;
    for (XmlNode voice : partNode.children("Voice"))
        voices.push_back(voice);
    // The verdicts of the analysis notes, over the notes of this repaint.
    PartJudge judge(shown);

    for (XmlNode voice : voices) {
        const int h = VoiceNumber(voice);
        const std::string type = VoiceType(voice);
        const VoiceKind kind = kindOf(type);
        std::vector<XmlNode> notes;
        for (XmlNode note : NotesOf(voice))
            notes.push_back(note);
        const int slot = tacts.VoiceSlot(partNode, h, type);
        const int staff = (3 - h) / 2;
        NoteDrawPlace place;
        place.staff = staff;
        place.clef = ClefOf(partNode, staff);
        place.stemDown = h == Bass || h == Alto;

        d.ex.StepAccidentals.fill(0);
        int x = NoteOrigin(d.parms, tonality.val, true);
        int j = 0;
        const std::vector<int> ends = tacts.TactEnd[static_cast<std::size_t>(slot)];
        for (std::size_t t = 0; t < ends.size() && t < static_cast<std::size_t>(tacts.TactCount); ++t) {
            const int system = SystemOfRow(tacts.TactRow[t]);
            const int unit = tacts.TactSize[t].Unit;
            for (int i = j; i <= ends[t] && i < static_cast<int>(notes.size()); ++i) {
                const XmlNode note = notes[static_cast<std::size_t>(i)];
                const TextDrawPlace text {part, static_cast<int>(t), i - j, x, system};
                switch (kind) {
                case VoiceKind::Notes:
                    place.x = x;
                    place.system = system;
                    DrawNote(d, note, place, tonality);
                    break;
                case VoiceKind::Text:
                case VoiceKind::TextNote:
                    DrawTextNote(d, note, kind == VoiceKind::TextNote, text);
                    break;
                case VoiceKind::Analysis:
                    DrawAnalysisNote(d, judge, voice, note, text);
                    break;
                case VoiceKind::Other:
                    break;
                }
                x += NoteUnits(note, unit) * tacts.TactStep[t];
            }
            x += d.parms.STEP_NOTE;
            j = ends[t] + 1;
            d.ex.StepAccidentals.fill(0);
            if (t + 1 < static_cast<std::size_t>(tacts.TactCount) && tacts.TactRow[t + 1] != tacts.TactRow[t])
                x = NoteOrigin(d.parms, tonality.val, false);
        }
    }
}

} // namespace pw

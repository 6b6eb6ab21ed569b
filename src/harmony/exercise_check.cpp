#include "harmony/exercise_check.h"

#include "document/exercise_nodes.h"
#include "document/measure_index.h"

#include <vector>

namespace pw {

namespace {

// Whether voice v has notes up to the last measure and fills it exactly.
bool voiceComplete(const ExercisePart &part, int v)
{
    const Tacts &tacts = part.Tacts;
    const int last = tacts.TactCount - 1;
    const int slot = tacts.FindSlot(v).value_or(-1);
    // A voice without an element has no notes: no measure of it is written.
    if (slot < 0)
        return tacts.TactCount == 0 && NSize().CompareTo(NominalTactSize(part.Node, last)) == 0;
    const auto &ends = tacts.TactEnd[static_cast<std::size_t>(slot)];
    if (static_cast<int>(ends.size()) != tacts.TactCount)
        return false;
    const int first = tacts.FirstNoteOf(slot, last);
    const int count = last >= 0 && last < static_cast<int>(ends.size())
        ? ends[static_cast<std::size_t>(last)] - first + 1
        : 0;
    const std::vector<XmlNode> notes = NotesOf(NoteVoice(part.Node, v));
    NSize sum;
    for (int i = first; i < first + count; ++i) {
        if (i >= 0 && i < static_cast<int>(notes.size()))
            sum.AddNote(notes[static_cast<std::size_t>(i)]);
    }
    return sum.CompareTo(NominalTactSize(part.Node, last)) == 0;
}

} // namespace

PartJudge::PartJudge(ExercisePart &part)
    : m_part(part)
    , m_notes(part.Node)
{
}

XmlNode PartJudge::ExpectedNoteFor(XmlNode analysisVoice, int tact, int posInTact)
{
    if (!m_hasExpected)
        m_hasExpected = HasVoiceOfType(m_part.Node, ExpectedVoiceType);
    if (!*m_hasExpected)
        return {};
    if (!m_expectedSlot)
        m_expectedSlot = m_part.Tacts.VoiceSlot(m_part.Node, 0, ExpectedVoiceType);
    const int expectedSlot = *m_expectedSlot;
    // The analysis voice's H stands for the reference slot, as the expected labels were laid out.
    const int referenceSlot = VoiceNumber(analysisVoice);
    const std::optional<int> aligned
        = AlignedNote(m_notes, m_part.Tacts, referenceSlot, tact, posInTact, expectedSlot);
    if (!aligned)
        return {};
    return m_notes.Note(expectedSlot, *aligned);
}

AnalysisVerdict PartJudge::JudgeChordAt(XmlNode analysisVoice, XmlNode note, int tact, int posInTact)
{
    return JudgeAnalysisNote(note, ExpectedNoteFor(analysisVoice, tact, posInTact), m_part.CheckType);
}

XmlNode ExpectedNoteFor(ExercisePart &part, XmlNode analysisVoice, int tact, int posInTact)
{
    return PartJudge(part).ExpectedNoteFor(analysisVoice, tact, posInTact);
}

AnalysisVerdict JudgeChordAt(ExercisePart &part, XmlNode analysisVoice, XmlNode note, int tact, int posInTact)
{
    return PartJudge(part).JudgeChordAt(analysisVoice, note, tact, posInTact);
}

void ForEachAnalysisNote(
    ExercisePart &part,
    const std::function<void(XmlNode voice, XmlNode note, int tact, int posInTact)> &visit)
{
    Tacts &tacts = part.Tacts;
    for (XmlNode voice : part.Node.children("Voice")) {
        if (!IsAnalysisVoice(voice))
            continue;
        const int slot = tacts.VoiceSlot(part.Node, VoiceNumber(voice), AnalysisVoiceType);
        const std::vector<XmlNode> notes = NotesOf(voice);
        const std::vector<int> ends = tacts.TactEnd[static_cast<std::size_t>(slot)];
        int first = 0;
        for (std::size_t t = 0; t < ends.size() && t < static_cast<std::size_t>(tacts.TactCount); ++t) {
            for (int i = first; i <= ends[t] && i < static_cast<int>(notes.size()); ++i)
                visit(voice, notes[static_cast<std::size_t>(i)], static_cast<int>(t), i - first);
            first = ends[t] + 1;
        }
    }
}

int CountPartErrors(ExercisePart &part)
{
    int errors = 0;
    PartJudge judge(part);
    ForEachAnalysisNote(part, [&](XmlNode voice, XmlNode note, int tact, int pos) {
        errors += judge.JudgeChordAt(voice, note, tact, pos).errorCount();
    });
    return errors;
}

bool PartComplete(const HarExercis &ex, const ExercisePart &part)
{
    if (!ex.HasFixedLength)
        return false;
    for (int v = 0; v < 4; ++v) {
        if (part.VoiceFree[static_cast<std::size_t>(v)] && !voiceComplete(part, v))
            return false;
    }
    return true;
}

void CheckExercise(HarExercis &ex, ExerciseChange kind, int part)
{
    if (kind == ExerciseChange::Cursor)
        return;
    for (ExercisePart &p : ex.Parts)
        p.Errors = CountPartErrors(p);
    if (kind != ExerciseChange::Loaded && part >= 0 && part < ex.PartCount())
        ex.part(part).Done = PartComplete(ex, ex.part(part));
}

ExerciseChecker::ExerciseChecker(HarExercis &ex, Checked afterCheck)
    : m_ex(ex)
    , m_afterCheck(std::move(afterCheck))
{
    m_ex.AddListener(*this);
}

ExerciseChecker::~ExerciseChecker()
{
    m_ex.RemoveListener(*this);
}

void ExerciseChecker::ExerciseChanged(ExerciseChange kind, int part)
{
    CheckExercise(m_ex, kind, part);
    if (m_afterCheck)
        m_afterCheck(kind, part);
}

} // namespace pw

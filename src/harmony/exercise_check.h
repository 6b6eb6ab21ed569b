#pragma once

// The checking pass: each part's error count and completion flag, worked out from the document
// and its analysis after every change, so that drawing, the task flow and the command-line tools
// read the same numbers without drawing anything.

#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/harmony_check.h"

#include <functional>
#include <optional>

namespace pw {

// The note of the part's expected-analysis voice ("TextNote") aligned with the analysis note at
// (tact, posInTact) of analysisVoice, or no node.
XmlNode ExpectedNoteFor(ExercisePart &part, XmlNode analysisVoice, int tact, int posInTact);

// The verdicts of one analysis note at (tact, posInTact) of its voice, against the expected
// analysis and the part's check letters.
AnalysisVerdict JudgeChordAt(ExercisePart &part, XmlNode analysisVoice, XmlNode note, int tact,
                             int posInTact);

// ExpectedNoteFor and JudgeChordAt for many analysis notes of one part in one pass (the count of
// its errors, a repaint), while the pass changes no note: the expected-analysis voice is looked
// up once and the notes are read by index, not walked from the start for every note.
class PartJudge
{
public:
    explicit PartJudge(ExercisePart &part);
    PartJudge(const PartJudge &) = delete;
    PartJudge &operator=(const PartJudge &) = delete;

    XmlNode ExpectedNoteFor(XmlNode analysisVoice, int tact, int posInTact);
    AnalysisVerdict JudgeChordAt(XmlNode analysisVoice, XmlNode note, int tact, int posInTact);

private:
    ExercisePart &m_part;
    PartNotes m_notes;
    std::optional<bool> m_hasExpected;
    std::optional<int> m_expectedSlot;
};

// Calls visit(voice, note, tact, posInTact) for every note of every analysis voice of the part
// that lies in an indexed measure: the notes the staff shows.
void ForEachAnalysisNote(
    ExercisePart &part,
    const std::function<void(XmlNode voice, XmlNode note, int tact, int posInTact)> &visit);

// The errors the verdicts of the part's analysis notes add up to.
int CountPartErrors(ExercisePart &part);

// Only exercises of a fixed length can be complete: every editable voice must have notes up to the
// part's last measure and fill that measure exactly.
bool PartComplete(const HarExercis &ex, const ExercisePart &part);

// Brings the results up to date after a change: every part's error count; the completion flag of
// the part that was edited or restored (a working load has just cleared them all). A cursor move
// changes nothing to check.
void CheckExercise(HarExercis &ex, ExerciseChange kind, int part);

// Runs CheckExercise after every change of the document it watches, then tells afterCheck, so
// whatever follows the document sees the numbers of the change.
class ExerciseChecker : public ExerciseListener
{
public:
    using Checked = std::function<void(ExerciseChange kind, int part)>;

    explicit ExerciseChecker(HarExercis &ex, Checked afterCheck = {});
    ~ExerciseChecker() override;
    ExerciseChecker(const ExerciseChecker &) = delete;
    ExerciseChecker &operator=(const ExerciseChecker &) = delete;

    void ExerciseChanged(ExerciseChange kind, int part) override;

private:
    HarExercis &m_ex;
    Checked m_afterCheck;
};

} // namespace pw

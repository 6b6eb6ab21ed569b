#pragma once

// Judging the chords of an exercise: the analysis of the chord at a place (name, descriptors,
// step from the previous chord, parallels), written into the part's analysis voice, and the
// verdicts the drawing and the task flow read back.

#include "document/measure_index.h"
#include "document/xml_access.h"
#include "harmony/definitor.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

class HarExercis;
class TimerArea;

// Pitches of bass, tenor, alto, soprano, then the intervals upper minus lower of the pairs
// (0,1), (0,2), (0,3), (1,2), (1,3), (2,3).
using ChordVector = std::array<int, 10>;

ChordVector MakeChordVector(const VoicePitches &pitches);

// A note's measure and its position counted from the measure's first note in its voice.
struct NotePlace
{
    int tact = 0;
    int pos = 0;
};

// The place of note index of slot; a note after the last indexed measure lies in the next one.
NotePlace PlaceOfNote(const Tacts &tacts, int slot, int index);

// Parallel octaves (or unisons) or fifths between one pair of voices: both voices move and keep
// the interval 0, 12 or 24 (octaves) or exactly 7 (fifths).
struct ParallelMotion
{
    bool octaves = false;
    int lower = 0; // voice numbers of the pair
    int upper = 0;
};

// The first parallel pair in the order (0,1), (0,2), (0,3), (1,2), (1,3), (2,3), octaves looked
// for before fifths.
std::optional<ParallelMotion> FindParallels(const ChordVector &previous, const ChordVector &current);

// " == 8" for parallel octaves or unisons, " == 5" for parallel fifths, else empty.
std::string ParallelVerdict(const ChordVector &previous, const ChordVector &current);

// Whether a lower voice lies above an upper one (the crossing the analysis could not undo
// because a voice of it is given).
bool VoicesCrossed(const VoicePitches &pitches);

// Analyses the chord at (tact, pos) of the current voice of the current part: high, length and
// dot are those of the note just written there; with create on, a missing analysis note is
// made. Does nothing without a chord group or in editor mode. Throws XmlError when the rule file
// makes a query invalid; the notes already written stay.
void CheckChordAt(HarExercis &ex, TMusDefinitor &definitor, int tact, int pos, int high, int length, int dot,
                  bool create);

// CheckChordAt with create on at many places of the current part in a row, the measure index
// rebuilt after each, as a part whose notes are all written is analysed chord by chord. While the
// analyses only write into the part's one analysis voice (any other one being empty), the index
// is brought up to date with the notes each analysis adds and the part's notes are read by index
// once for the whole run, instead of the whole part being read again for every chord; the results
// are those of CheckChordAt. Any other part is analysed by CheckChordAt itself. The part's index
// must be current (BuildTacts) when the run starts and is not to be rebuilt by anyone else until
// Finish, which rebuilds it as the last CheckChordAt leaves it.
class ChordChecks
{
public:
    ChordChecks(HarExercis &ex, TMusDefinitor &definitor);
    ChordChecks(const ChordChecks &) = delete;
    ChordChecks &operator=(const ChordChecks &) = delete;

    void Check(int tact, int pos, int high, int length, int dot);
    void Finish();

private:
    enum class Mode { Nothing, ByChord, Followed };

    HarExercis &m_ex;
    TMusDefinitor &m_definitor;
    Mode m_mode = Mode::ByChord;
    PartNotes m_notes;
    VoiceMeasureEnds m_analysisEnds;
    int m_analysisSlot = -1;
};

// The analyses after a note was written at (tact, pos): that chord with create on and, in groups
// of more than one voice, the chords before and after it (create off), so the step labels on both
// sides stay current.
void AnalyseInsertion(HarExercis &ex, TMusDefinitor &definitor, int tact, int pos, int high, int length,
                      int dot);

// The verdicts of one analysis note at drawing time. Each true flag but nameInErrorColour is one
// error of the part.
struct AnalysisVerdict
{
    // The expected analysis differs in a checked attribute (name drawn bold, size 12).
    bool expectedMismatch = false;
    // The chord is not in the group (name "?").
    bool unknownChord = false;
    // Move is non-empty and drawn.
    bool showMove = false;
    // Move is "?".
    bool forbiddenMove = false;
    // Err is non-empty under a non-empty Move: drawn and counted.
    bool showErr = false;

    bool nameInErrorColour() const { return expectedMismatch || unknownChord; }
    int errorCount() const
    {
        return int(expectedMismatch) + int(unknownChord) + int(forbiddenMove) + int(showErr);
    }
};

// expectedNote is the note of the expected-analysis voice aligned with analysisNote, or none.
// checkLetters: N name, T S L M the descriptors, O the tonality; empty means "N".
AnalysisVerdict JudgeAnalysisNote(XmlNode analysisNote, XmlNode expectedNote, std::string_view checkLetters);

// At least one part, and every part complete (resp. without errors).
bool AllPartsComplete(const HarExercis &ex);
bool NoErrors(const HarExercis &ex);
// An iteration closed now counts as successful.
bool IterationSucceeded(const HarExercis &ex);
// Counts the iteration closed now in the task record, a success when IterationSucceeded; the mark
// is the record's MarkText.
bool CloseIteration(const HarExercis &ex, TimerArea &task);

} // namespace pw

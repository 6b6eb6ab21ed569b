#include "harmony/harmony_check.h"

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "document/timer_area.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace pw {

namespace {

constexpr std::array<std::array<int, 2>, 6> Pairs {{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}}};

// The slot of a voice identity, without creating anything.
std::optional<int> slotOf(const Tacts &tacts, int id)
{
    return tacts.FindSlot(id);
}

int indexOf(XmlNode note)
{
    return NoteIndex(note);
}

// The part being analysed, its measure index and its notes by index.
struct PartView
{
    PartNotes &notes;
    Tacts &tacts;
    int currentSlot;

    // The index of the note of voice slot x sounding at the end of the current voice's note at
    // place.
    std::optional<int> alignedIndex(NotePlace place, int slotX) const
    {
        return AlignedNote(notes, tacts, currentSlot, place.tact, place.pos, slotX);
    }

    // The note of voice slot x sounding at the end of the current voice's note at place.
    XmlNode aligned(NotePlace place, int slotX) const
    {
        const std::optional<int> index = alignedIndex(place, slotX);
        return index ? notes.Note(slotX, *index) : XmlNode();
    }

    // The notes of bass to soprano at place; false when a voice is missing or has none there.
    bool chordNotes(NotePlace place, std::array<XmlNode, 4> &notes) const
    {
        for (int v = 0; v < 4; ++v) {
            const std::optional<int> slot = slotOf(tacts, v);
            XmlNode note = slot ? aligned(place, *slot) : XmlNode();
            if (!note)
                return false;
            notes[static_cast<std::size_t>(v)] = note;
        }
        return true;
    }
};

int pitchOf(XmlNode note)
{
    return NotePitch(note);
}

// A lower voice above its upper neighbour is swapped with it when the student writes both, so
// the notes move rather than the error.
void exchangeCrossedVoices(const std::array<XmlNode, 4> &notes, VoicePitches &pitches,
                           const std::array<bool, 4> &free)
{
    for (int pass = 0; pass < 3; ++pass) {
        for (std::size_t lo = 0; lo < 3; ++lo) {
            const std::size_t hi = lo + 1;
            if (pitches[lo] > pitches[hi] && free[lo] && free[hi]) {
                std::swap(pitches[lo], pitches[hi]);
                SetNotePitch(notes[lo], pitches[lo]);
                SetNotePitch(notes[hi], pitches[hi]);
            }
        }
    }
}

XmlNode analysisVoice(PartNotes &notes, Tacts &tacts)
{
    std::optional<int> slot = slotOf(tacts, AnalysisSlotId);
    if (!slot) {
        AppendAnalysisVoice(notes.Part());
        slot = tacts.VoiceSlot(notes.Part(), 0, AnalysisVoiceType);
    }
    return notes.Voice(*slot);
}

// Where the analysis notes before and after the one of (tact, pos) lie, if there are any.
struct Neighbours
{
    std::optional<NotePlace> previous;
    std::optional<NotePlace> next;
};

} // namespace

NotePlace PlaceOfNote(const Tacts &tacts, int slot, int index)
{
    // The ends rise: the first measure ending at or after the note holds it.
    const auto &ends = tacts.TactEnd[static_cast<std::size_t>(slot)];
    const int tact = static_cast<int>(std::lower_bound(ends.begin(), ends.end(), index) - ends.begin());
    return {tact, index - tacts.FirstNoteOf(slot, tact)};
}

ChordVector MakeChordVector(const VoicePitches &pitches)
{
    ChordVector vector {};
    std::copy(pitches.begin(), pitches.end(), vector.begin());
    for (std::size_t i = 0; i < Pairs.size(); ++i) {
        const auto [j, k] = Pairs[i];
        vector[4 + i] = pitches[static_cast<std::size_t>(k)] - pitches[static_cast<std::size_t>(j)];
    }
    return vector;
}

std::optional<ParallelMotion> FindParallels(const ChordVector &previous, const ChordVector &current)
{
    const auto octave = [](int interval) { return interval == 0 || interval == 12 || interval == 24; };
    const auto moves = [&](int voice) {
        return previous[static_cast<std::size_t>(voice)] != current[static_cast<std::size_t>(voice)];
    };
    for (std::size_t i = 0; i < Pairs.size(); ++i) {
        const auto [j, k] = Pairs[i];
        // A pair of which one voice holds is not moving in parallel, whatever the others do.
        if (octave(previous[4 + i]) && octave(current[4 + i]) && moves(j) && moves(k))
            return ParallelMotion {true, j, k};
    }
    for (std::size_t i = 0; i < Pairs.size(); ++i) {
        const auto [j, k] = Pairs[i];
        if (previous[4 + i] == 7 && current[4 + i] == 7 && (moves(j) || moves(k)))
            return ParallelMotion {false, j, k};
    }
    return std::nullopt;
}

std::string ParallelVerdict(const ChordVector &previous, const ChordVector &current)
{
    const std::optional<ParallelMotion> found = FindParallels(previous, current);
    if (!found)
        return {};
    return found->octaves ? " == 8" : " == 5";
}

bool VoicesCrossed(const VoicePitches &pitches)
{
    for (std::size_t lo = 0; lo + 1 < pitches.size(); ++lo) {
        if (pitches[lo] > pitches[lo + 1])
            return true;
    }
    return false;
}

namespace {

// What an analysis changed in the notes of the analysis voice that the measure index counts: the
// first note whose length or dot may differ from the index (INT_MAX: none).
struct AnalysisChanges
{
    int firstChanged = INT_MAX;
    void changedFrom(int index) { firstChanged = std::min(firstChanged, index); }
};

// CheckChordAt after its rebuild of the measure index, over the notes of the part by index.
void checkChord(HarExercis &ex, TMusDefinitor &definitor, PartNotes &notes, AnalysisChanges &changes,
                int tact, int pos, int high, int length, int dot, bool create)
{
    ExercisePart &shown = ex.current();
    const std::string &group = shown.Def;
    const int currentVoice = shown.CurVoice;
    Tacts &tacts = shown.Tacts;
    const std::optional<int> currentSlot = slotOf(tacts, currentVoice);
    if (!currentSlot)
        return;
    const PartView view {notes, tacts, *currentSlot};
    const NotePlace place {tact, pos};

    std::unique_ptr<TAccordInfo> chord;
    std::string name;
    VoicePitches pitches {};
    bool exempt = false;
    if (definitor.GroupVoicesCount(group) == 1) {
        name = definitor.NoteChordName(group, high, shown.Tonality.type);
    } else {
        std::array<XmlNode, 4> chordNotes;
        if (!view.chordNotes(place, chordNotes))
            return;
        for (std::size_t v = 0; v < 4; ++v)
            pitches[v] = pitchOf(chordNotes[v]);
        exchangeCrossedVoices(chordNotes, pitches, shown.VoiceFree);
        exempt = std::any_of(chordNotes.begin(), chordNotes.end(), [](XmlNode n) { return IsExempt(n); });
        // A crossing left standing by a given voice is the student's fault: no chord is named.
        if (!VoicesCrossed(pitches))
            chord = definitor.IdentifyChord(group, pitches[0], pitches[1], pitches[2], pitches[3]);
        name = chord ? chord->Name() : "?";
    }

    XmlNode voice = analysisVoice(notes, tacts);
    const int defSlot = *slotOf(tacts, AnalysisSlotId);
    const std::optional<int> found = view.alignedIndex(place, defSlot);
    XmlNode analysis = found ? notes.Note(defSlot, *found) : XmlNode();
    if (analysis) {
        SetChordName(analysis, name);
    } else if (create) {
        analysis = AppendAnalysisNote(voice, length, name);
        if (analysis) {
            changes.changedFrom(static_cast<int>(notes.Notes(defSlot).size()));
            notes.Appended(defSlot, analysis);
        }
    } else {
        return;
    }
    if (create) {
        const std::string before = GetAttr(analysis, "P");
        SetDotted(analysis, dot != 0);
        if (found && GetAttr(analysis, "P") != before) {
            changes.changedFrom(*found);
            notes.LengthsChanged(defSlot);
        }
    }
    if (!chord) {
        RemoveStepName(analysis);
        return;
    }
    chord->WriteTo(analysis, ChordNameAttribute);

    XmlNode previousAnalysis = PreviousNote(analysis);
    if (!previousAnalysis)
        return;
    int previousIndex = notes.IndexOf(defSlot, previousAnalysis);
    if (previousIndex < 0)
        previousIndex = indexOf(previousAnalysis);
    const NotePlace previousPlace = PlaceOfNote(tacts, defSlot, previousIndex);
    VoicePitches previousPitches {};
    for (int v = 0; v < 4; ++v) {
        const std::optional<int> slot = slotOf(tacts, v);
        XmlNode note = slot ? view.aligned(previousPlace, *slot) : XmlNode();
        previousPitches[static_cast<std::size_t>(v)] = note ? pitchOf(note) : 0;
    }

    const std::string parallels = ParallelVerdict(MakeChordVector(previousPitches), MakeChordVector(pitches));
    const std::string move = definitor.TransitionName(previousAnalysis, analysis,
                                                      TMusDefinitor::MovementOf(previousPitches, pitches));
    if (exempt) {
        SetStepName(analysis, "");
        RemoveParallelMark(analysis);
    } else {
        SetStepName(analysis, move);
        if (!parallels.empty() && move != "?")
            SetParallelMark(analysis, parallels);
        else
            RemoveParallelMark(analysis);
    }
}

// Whether CheckChordAt would leave at once, before it rebuilds the index.
bool checksNothing(const HarExercis &ex)
{
    if (ex.EditMode || !ex.HasCurrentPart())
        return true;
    const ExercisePart &shown = ex.current();
    return shown.Def.empty() || shown.CurVoice < 0;
}

} // namespace

void CheckChordAt(HarExercis &ex, TMusDefinitor &definitor, int tact, int pos, int high, int length, int dot,
                  bool create)
{
    if (checksNothing(ex))
        return;
    ExercisePart &shown = ex.current();
    // The note just written may open a measure the index does not know yet.
    BuildTacts(shown.Node, shown.Tacts);
    PartNotes notes(shown.Node);
    AnalysisChanges changes;
    checkChord(ex, definitor, notes, changes, tact, pos, high, length, dot, create);
}

ChordChecks::ChordChecks(HarExercis &ex, TMusDefinitor &definitor)
    : m_ex(ex)
    , m_definitor(definitor)
    , m_notes(ex.HasCurrentPart() ? ex.current().Node : XmlNode())
    , m_analysisEnds(ex.HasCurrentPart() ? ex.current().Node : XmlNode())
{
    if (checksNothing(ex)) {
        m_mode = Mode::Nothing;
        return;
    }
    ExercisePart &shown = ex.current();
    Tacts &tacts = shown.Tacts;
    // Without a slot of the current voice CheckChordAt rebuilds the index and leaves.
    if (!slotOf(tacts, shown.CurVoice)) {
        m_mode = Mode::Nothing;
        return;
    }
    // The index can follow the analyses when they write into the voice of the analysis slot, an
    // analysis voice, and that voice alone feeds the slot: every other analysis voice is empty.
    // The analyses change nothing else that the index counts.
    const std::optional<int> defSlot = slotOf(tacts, AnalysisSlotId);
    if (!defSlot)
        return;
    const XmlNode analysis = m_notes.Voice(*defSlot);
    if (!analysis || !IsAnalysisVoice(analysis))
        return;
    for (XmlNode voice : shown.Node.children("Voice")) {
        if (voice != analysis && IsAnalysisVoice(voice) && FirstNote(voice))
            return;
    }
    m_mode = Mode::Followed;
    m_analysisSlot = *defSlot;
    m_analysisEnds.Update(m_notes.Notes(m_analysisSlot), 0,
                          tacts.TactEnd[static_cast<std::size_t>(m_analysisSlot)]);
}

void ChordChecks::Check(int tact, int pos, int high, int length, int dot)
{
    switch (m_mode) {
    case Mode::Nothing:
        return;
    case Mode::ByChord:
        CheckChordAt(m_ex, m_definitor, tact, pos, high, length, dot, true);
        BuildTacts(m_ex.current().Node, m_ex.current().Tacts);
        return;
    case Mode::Followed: {
        AnalysisChanges changes;
        checkChord(m_ex, m_definitor, m_notes, changes, tact, pos, high, length, dot, true);
        // The rebuild after the analysis: only the analysis slot's ends can have moved.
        if (changes.firstChanged != INT_MAX)
            m_analysisEnds.Update(m_notes.Notes(m_analysisSlot), changes.firstChanged,
                                  m_ex.current().Tacts.TactEnd[static_cast<std::size_t>(m_analysisSlot)]);
        return;
    }
    }
}

void ChordChecks::Finish()
{
    if (m_ex.HasCurrentPart())
        BuildTacts(m_ex.current().Node, m_ex.current().Tacts);
}

void AnalyseInsertion(HarExercis &ex, TMusDefinitor &definitor, int tact, int pos, int high, int length,
                      int dot)
{
    CheckChordAt(ex, definitor, tact, pos, high, length, dot, true);
    if (ex.EditMode || !ex.HasCurrentPart())
        return;
    ExercisePart &shown = ex.current();
    const std::string &group = shown.Def;
    if (group.empty() || shown.CurVoice < 0 || definitor.GroupVoicesCount(group) == 1)
        return;
    XmlNode part = shown.Node;
    Tacts &tacts = shown.Tacts;
    BuildTacts(part, tacts);
    const std::optional<int> currentSlot = slotOf(tacts, shown.CurVoice);
    const std::optional<int> defSlot = slotOf(tacts, AnalysisSlotId);
    if (!currentSlot || !defSlot)
        return;
    PartNotes notes(part);
    const PartView view {notes, tacts, *currentSlot};
    XmlNode analysis = view.aligned({tact, pos}, *defSlot);
    if (!analysis)
        return;

    Neighbours around;
    const int index = indexOf(analysis);
    if (PreviousNote(analysis))
        around.previous = PlaceOfNote(tacts, *defSlot, index - 1);
    if (NextNote(analysis))
        around.next = PlaceOfNote(tacts, *defSlot, index + 1);
    for (const std::optional<NotePlace> &neighbour : {around.previous, around.next}) {
        if (neighbour)
            CheckChordAt(ex, definitor, neighbour->tact, neighbour->pos, high, length, dot, false);
    }
}

AnalysisVerdict JudgeAnalysisNote(XmlNode analysisNote, XmlNode expectedNote, std::string_view checkLetters)
{
    AnalysisVerdict verdict;
    if (expectedNote && !ChordName(expectedNote).empty()) {
        const std::string_view letters = checkLetters.empty() ? std::string_view("N") : checkLetters;
        for (char letter : letters) {
            const std::string_view attr = CheckedAttribute(letter);
            if (attr.empty())
                continue;
            if (GetAttr(analysisNote, attr) != GetAttr(expectedNote, attr))
                verdict.expectedMismatch = true;
        }
    }
    verdict.unknownChord = ChordName(analysisNote) == "?";
    const std::string move = StepName(analysisNote);
    verdict.showMove = !move.empty();
    verdict.forbiddenMove = move == "?";
    verdict.showErr = verdict.showMove && !ParallelMark(analysisNote).empty();
    return verdict;
}

bool AllPartsComplete(const HarExercis &ex)
{
    return !ex.Parts.empty()
        && std::all_of(ex.Parts.begin(), ex.Parts.end(), [](const ExercisePart &p) { return p.Done; });
}

bool NoErrors(const HarExercis &ex)
{
    return !ex.Parts.empty()
        && std::all_of(ex.Parts.begin(), ex.Parts.end(), [](const ExercisePart &p) { return p.Errors == 0; });
}

bool IterationSucceeded(const HarExercis &ex)
{
    return AllPartsComplete(ex) && NoErrors(ex);
}

bool CloseIteration(const HarExercis &ex, TimerArea &task)
{
    const bool success = IterationSucceeded(ex);
    task.CountAttempt(success);
    return success;
}

} // namespace pw

#include "harmony/chord_explanation.h"

#include "document/exercise_nodes.h"
#include "document/measure_index.h"
#include "harmony/harmony_check.h"
#include "platform/text_format.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace pw {

namespace {

constexpr int Octave = 12;

int pitchClass(int pitch)
{
    return ((pitch % Octave) + Octave) % Octave;
}

std::optional<int> slotOf(const Tacts &tacts, int id)
{
    return tacts.FindSlot(id);
}

XmlNode noteAt(XmlNode voice, int index)
{
    const std::vector<XmlNode> notes = NotesOf(voice);
    return index >= 0 && index < static_cast<int>(notes.size()) ? notes[static_cast<std::size_t>(index)]
                                                                : XmlNode();
}

// The index of a note of the slot: through the notes of the pass, or counted for a node that is
// not one of them.
int indexIn(PartNotes &notes, int slot, XmlNode note)
{
    const int index = notes.IndexOf(slot, note);
    return index >= 0 ? index : NoteIndex(note);
}

// The pitches of bass to soprano sounding at the end of the reference slot's note at place.
std::optional<VoicePitches> chordAt(const ExercisePart &part, PartNotes &notes, int referenceSlot,
                                    NotePlace place)
{
    VoicePitches pitches {};
    for (int v = 0; v < 4; ++v) {
        const std::optional<int> slot = slotOf(part.Tacts, v);
        if (!slot)
            return std::nullopt;
        const std::optional<int> index
            = AlignedNote(notes, part.Tacts, referenceSlot, place.tact, place.pos, *slot);
        const XmlNode note = index ? notes.Note(*slot, *index) : XmlNode();
        if (!note)
            return std::nullopt;
        pitches[static_cast<std::size_t>(v)] = NotePitch(note);
    }
    return pitches;
}

// The root, third and fifth of each function, read off the group's chords: the bass of its root
// position, of its sixth chord and of its six-four chord.
struct FunctionTones
{
    std::string function;
    std::array<int, 3> members {-1, -1, -1}; // by ChordMember

    std::optional<ChordMember> memberOf(int pc) const
    {
        for (std::size_t m = 0; m < members.size(); ++m) {
            if (members[m] == pc)
                return static_cast<ChordMember>(m);
        }
        return std::nullopt;
    }
};

std::vector<FunctionTones> functionTonesOf(const std::vector<GroupChord> &chords)
{
    std::vector<FunctionTones> tones;
    for (const GroupChord &chord : chords) {
        if (chord.shapes.empty() || chord.function.empty())
            continue;
        auto found = std::find_if(tones.begin(), tones.end(),
                                  [&](const FunctionTones &t) { return t.function == chord.function; });
        if (found == tones.end())
            found = tones.insert(tones.end(), FunctionTones {chord.function});
        const int bass = pitchClass(chord.shapes.front()[0]);
        if (chord.inversion == "T")
            found->members[0] = bass;
        else if (chord.inversion == "6")
            found->members[1] = bass;
        else if (chord.inversion == "K")
            found->members[2] = bass;
    }
    return tones;
}

std::string chordName(const std::vector<GroupChord> &chords, const std::string &function, ChordMember bass)
{
    static constexpr std::array<const char *, 3> inversions {"T", "6", "K"};
    for (const GroupChord &chord : chords) {
        if (chord.function == function && chord.inversion == inversions[static_cast<std::size_t>(bass)])
            return chord.name;
    }
    return function;
}

std::vector<Why> explainUnknownChord(TMusDefinitor &definitor, const std::string &group,
                                     const VoicePitches &p)
{
    std::vector<Why> reasons;
    if (std::any_of(p.begin(), p.end(), [](int pitch) { return pitch < 0; }))
        return reasons; // a rest in the chord: there is nothing to name
    if (VoicesCrossed(p)) {
        for (int lo = 0; lo < 3; ++lo) {
            if (p[static_cast<std::size_t>(lo)] > p[static_cast<std::size_t>(lo) + 1])
                reasons.push_back({Fault::CrossedVoices, lo, lo + 1});
        }
        return reasons;
    }
    for (int lo = 1; lo < 3; ++lo) {
        if (p[static_cast<std::size_t>(lo) + 1] - p[static_cast<std::size_t>(lo)] > Octave)
            reasons.push_back({Fault::VoicesTooFarApart, lo, lo + 1});
    }

    const std::vector<GroupChord> chords = definitor.GroupChords(group);
    const std::vector<FunctionTones> functions = functionTonesOf(chords);
    if (functions.empty())
        return reasons;
    std::array<int, 4> pcs {};
    for (std::size_t v = 0; v < 4; ++v)
        pcs[v] = pitchClass(p[v]);
    // The function the chord comes closest to: the one of its bass holding most of its tones.
    const auto score = [&](const FunctionTones &f) {
        int contained = f.memberOf(pcs[0]) ? 10 : 0;
        for (int pc : pcs)
            contained += f.memberOf(pc) ? 1 : 0;
        return contained;
    };
    const FunctionTones &best
        = *std::max_element(functions.begin(), functions.end(),
                            [&](const auto &a, const auto &b) { return score(a) < score(b); });
    for (int v = 0; v < 4; ++v) {
        if (!best.memberOf(pcs[static_cast<std::size_t>(v)]))
            reasons.push_back({Fault::OutsideChord, v, -1, 0, 0, best.function});
    }
    if (!reasons.empty())
        return reasons;

    std::array<std::vector<int>, 3> voicesOf; // by member
    for (int v = 0; v < 4; ++v)
        voicesOf[static_cast<std::size_t>(*best.memberOf(pcs[static_cast<std::size_t>(v)]))].push_back(v);
    const ChordMember bass = *best.memberOf(pcs[0]);
    const auto count
        = [&](ChordMember m) { return static_cast<int>(voicesOf[static_cast<std::size_t>(m)].size()); };

    // The leading tone is the third of the dominant.
    const auto dominant = std::find_if(functions.begin(), functions.end(),
                                       [](const FunctionTones &f) { return f.function == "D"; });
    const int leadingTone = dominant != functions.end() ? dominant->members[1] : -1;
    const std::optional<ChordMember> leading = best.memberOf(leadingTone);
    if (leading && count(*leading) >= 2) {
        const auto &voices = voicesOf[static_cast<std::size_t>(*leading)];
        reasons.push_back({Fault::DoubledLeadingTone, voices[0], voices[1]});
    } else if (bass == ChordMember::Root && count(ChordMember::Third) >= 2) {
        const auto &voices = voicesOf[static_cast<std::size_t>(ChordMember::Third)];
        reasons.push_back({Fault::DoubledThird, voices[0], voices[1]});
    }
    // Root position may leave out its fifth with a tripled root.
    const bool incompleteAllowed
        = bass == ChordMember::Root && count(ChordMember::Root) == 3 && count(ChordMember::Third) == 1;
    for (ChordMember m : {ChordMember::Root, ChordMember::Third, ChordMember::Fifth}) {
        if (count(m) == 0 && !(m == ChordMember::Fifth && incompleteAllowed)) {
            Why missing {Fault::MissingTone, -1, -1, 0, 0, best.function};
            missing.member = m;
            reasons.push_back(missing);
        }
    }
    if (reasons.empty())
        reasons.push_back({Fault::UnlistedVoicing, -1, -1, 0, 0, chordName(chords, best.function, bass)});
    return reasons;
}

bool matchesFunction(XmlNode rule, const char *attribute, const std::string &function)
{
    const std::string wanted = GetAttr(rule, attribute);
    return wanted.empty() || wanted == "*" || wanted == function;
}

std::string ruleName(XmlNode rule)
{
    const std::string name = GetAttr(rule, "N");
    return name.empty() ? GetAttr(rule.parent(), "N") : name;
}

// The widest movement the rule lets an upper voice make; none when it leaves a voice free.
std::optional<int> widestUpperMove(XmlNode rule)
{
    int widest = 0;
    for (const char *voice : {"v1", "v2", "v3"}) {
        const std::string from = GetAttr(rule, std::string(voice) + "from");
        const std::string to = GetAttr(rule, std::string(voice) + "to");
        if (from.empty() || from == "*" || to.empty())
            return std::nullopt;
        widest = std::max({widest, std::abs(GetAttrInt(rule, std::string(voice) + "from", 0)),
                           std::abs(GetAttrInt(rule, std::string(voice) + "to", 0))});
    }
    return widest;
}

std::vector<Why> explainStep(TMusDefinitor &definitor, XmlNode previousNote, XmlNode note,
                             const VoicePitches &previous, const VoicePitches &current)
{
    if (ChordName(previousNote) == "?")
        return {{Fault::UnknownNeighbour}};
    const XmlNode rule
        = definitor.TransitionRule(previousNote, note, TMusDefinitor::MovementOf(previous, current));
    if (rule && ruleName(rule) == "?") {
        for (int v = 0; v < 4; ++v) {
            if (!GetAttr(rule, "pc" + std::to_string(v) + "prev").empty())
                return {{Fault::AugmentedSecond, v}};
        }
        return {{Fault::NoStepRule}};
    }
    if (rule)
        return {};

    const std::string from = GetAttr(previousNote, "T");
    const std::string to = GetAttr(note, "T");
    std::optional<int> limit;
    bool anyRule = false;
    for (XmlNode candidate : definitor.TransitionRules()) {
        if (ruleName(candidate) == "?" || !matchesFunction(candidate, "Tfrom", from)
            || !matchesFunction(candidate, "Tto", to))
            continue;
        anyRule = true;
        if (const std::optional<int> widest = widestUpperMove(candidate))
            limit = std::max(limit.value_or(0), *widest);
    }
    if (!anyRule)
        return {{Fault::Retrogression, -1, -1, 0, 0, from, to}};
    std::vector<Why> reasons;
    if (limit) {
        for (int v = 1; v < 4; ++v) {
            const int leap
                = std::abs(previous[static_cast<std::size_t>(v)] - current[static_cast<std::size_t>(v)]);
            if (leap > *limit)
                reasons.push_back({Fault::Leap, v, -1, leap, *limit});
        }
    }
    if (reasons.empty())
        reasons.push_back({Fault::NoStepRule});
    return reasons;
}

// "T|6|4" as plain text: "T64".
std::string plainLabel(std::string label)
{
    label.erase(std::remove(label.begin(), label.end(), '|'), label.end());
    return label;
}

} // namespace

std::vector<Why> ExplainChord(HarExercis &ex, TMusDefinitor &definitor, int partIndex, XmlNode analysisNote)
{
    if (partIndex < 0 || partIndex >= ex.PartCount() || !analysisNote)
        return {};
    PartNotes notes(ex.part(partIndex).Node);
    return ExplainChord(ex, definitor, partIndex, analysisNote, notes);
}

std::vector<Why> ExplainChord(HarExercis &ex, TMusDefinitor &definitor, int partIndex, XmlNode analysisNote,
                              PartNotes &notes)
{
    std::vector<Why> reasons;
    if (partIndex < 0 || partIndex >= ex.PartCount() || !analysisNote)
        return reasons;
    const ExercisePart &part = ex.part(partIndex);
    if (part.Def.empty() || definitor.GroupVoicesCount(part.Def) == 1)
        return reasons;
    const std::optional<int> analysisSlot = slotOf(part.Tacts, AnalysisSlotId);
    if (!analysisSlot || analysisNote.parent() != notes.Voice(*analysisSlot))
        return reasons;
    const NotePlace place
        = PlaceOfNote(part.Tacts, *analysisSlot, indexIn(notes, *analysisSlot, analysisNote));
    const std::optional<VoicePitches> current = chordAt(part, notes, *analysisSlot, place);
    if (!current)
        return reasons;

    if (ChordName(analysisNote) == "?") {
        reasons = explainUnknownChord(definitor, part.Def, *current);
        // The group was selected again by the chord lookup; the step needs it too.
        definitor.GroupVoicesCount(part.Def);
    }
    const XmlNode previousNote = PreviousNote(analysisNote);
    if (!previousNote)
        return reasons;
    // As the analysis does, a voice missing in the chord before counts as pitch 0.
    VoicePitches previous {};
    const NotePlace previousPlace
        = PlaceOfNote(part.Tacts, *analysisSlot, indexIn(notes, *analysisSlot, previousNote));
    if (const std::optional<VoicePitches> found = chordAt(part, notes, *analysisSlot, previousPlace))
        previous = *found;

    const std::string step = StepName(analysisNote);
    if (step == "?") {
        const std::vector<Why> stepReasons
            = explainStep(definitor, previousNote, analysisNote, previous, *current);
        reasons.insert(reasons.end(), stepReasons.begin(), stepReasons.end());
    }
    // A "?" step hides the parallels the analysis found; they are told all the same.
    if (step == "?" || (!step.empty() && !ParallelMark(analysisNote).empty())) {
        if (const std::optional<ParallelMotion> parallel
            = FindParallels(MakeChordVector(previous), MakeChordVector(*current))) {
            reasons.push_back({parallel->octaves ? Fault::ParallelOctaves : Fault::ParallelFifths,
                               parallel->lower, parallel->upper});
        }
    }
    return reasons;
}

XmlNode AnalysisNoteAtCursor(const HarExercis &ex)
{
    if (!ex.HasCurrentPart())
        return {};
    const ExercisePart &part = ex.current();
    const std::optional<int> voiceSlot = slotOf(part.Tacts, part.CurVoice);
    const std::optional<int> analysisSlot = slotOf(part.Tacts, AnalysisSlotId);
    if (part.CurVoice < 0 || !voiceSlot || !analysisSlot)
        return {};
    const XmlNode analysisVoice = VoiceOfSlot(part.Node, *analysisSlot);
    const auto at = [&](int tact, int pos) {
        const std::optional<int> index
            = AlignedNote(part.Node, part.Tacts, *voiceSlot, tact, pos, *analysisSlot);
        return index ? noteAt(analysisVoice, *index) : XmlNode();
    };
    if (XmlNode note = at(part.CurTact, part.CurPos))
        return note;
    // The cursor waits after the chord just written: that chord is the one to explain.
    if (part.CurPos > 0)
        return at(part.CurTact, part.CurPos - 1);
    if (part.CurTact > 0) {
        const auto &ends = part.Tacts.TactEnd[static_cast<std::size_t>(*voiceSlot)];
        const int previous = part.CurTact - 1;
        if (previous < static_cast<int>(ends.size()))
            return at(previous,
                      ends[static_cast<std::size_t>(previous)]
                          - part.Tacts.FirstNoteOf(*voiceSlot, previous));
    }
    return {};
}

std::string WhyText(const Why &why, const std::function<std::string(const std::string &id)> &text)
{
    const auto voice = [&](int v) { return text("Voice" + std::to_string(v)); };
    static constexpr std::array<const char *, 3> members {"Root", "Third", "Fifth"};
    switch (why.fault) {
    case Fault::CrossedVoices:
        return FormatText(text("CrossedVoices"), {voice(why.voice), voice(why.otherVoice)});
    case Fault::VoicesTooFarApart:
        return FormatText(text("VoicesTooFarApart"), {voice(why.voice), voice(why.otherVoice)});
    case Fault::OutsideChord:
        return FormatText(text("OutsideChord"), {voice(why.voice), plainLabel(why.chord)});
    case Fault::MissingTone:
        return FormatText(text("MissingTone"),
                          {plainLabel(why.chord), text(members[static_cast<std::size_t>(why.member)])});
    case Fault::DoubledLeadingTone:
        return FormatText(text("DoubledLeadingTone"), {voice(why.voice), voice(why.otherVoice)});
    case Fault::DoubledThird:
        return FormatText(text("DoubledThird"), {voice(why.voice), voice(why.otherVoice)});
    case Fault::UnlistedVoicing:
        return FormatText(text("UnlistedVoicing"), {plainLabel(why.chord)});
    case Fault::UnknownNeighbour:
        return text("UnknownNeighbour");
    case Fault::Retrogression:
        return FormatText(text("Retrogression"), {plainLabel(why.chord), plainLabel(why.otherChord)});
    case Fault::AugmentedSecond:
        return FormatText(text("AugmentedSecond"), {voice(why.voice)});
    case Fault::Leap:
        return FormatText(text("Leap"),
                          {voice(why.voice), std::to_string(why.semitones), std::to_string(why.limit)});
    case Fault::NoStepRule:
        return text("NoStepRule");
    case Fault::ParallelOctaves:
        return FormatText(text("ParallelOctaves"), {voice(why.voice), voice(why.otherVoice)});
    case Fault::ParallelFifths:
        return FormatText(text("ParallelFifths"), {voice(why.voice), voice(why.otherVoice)});
    }
    return {};
}

} // namespace pw

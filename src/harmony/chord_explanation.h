#pragma once

// Why a label is red: the reasons behind a chord named "?", a step "?" and parallels, worked out
// from the document and the rule base for the student to read. Explaining never changes what the
// analysis stored or what is drawn.

#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/definitor.h"

#include <functional>
#include <string>
#include <vector>

namespace pw {

enum class Fault {
    // The chord named "?".
    CrossedVoices, // voice lies above otherVoice
    VoicesTooFarApart, // more than an octave between two adjacent upper voices
    OutsideChord, // voice's tone is not one of chord's
    MissingTone, // chord lacks its member
    DoubledLeadingTone, // in voice and otherVoice
    DoubledThird, // of a root position chord, in voice and otherVoice
    UnlistedVoicing, // chord's tones, but not a shape the rules list
    // The step "?".
    UnknownNeighbour, // the chord before is unknown
    Retrogression, // no rule leads from chord to otherChord at all
    AugmentedSecond, // voice moves between the sixth degree and the raised seventh
    Leap, // voice leaps semitones, more than the limit the rules give
    NoStepRule,
    // Parallels, also under a step "?".
    ParallelOctaves, // voice and otherVoice
    ParallelFifths,
};

enum class ChordMember { Root, Third, Fifth };

struct Why
{
    Fault fault;
    int voice = -1;
    int otherVoice = -1;
    int semitones = 0;
    int limit = 0;
    std::string chord; // a function or chord label ("S", "T|6")
    std::string otherChord;
    ChordMember member = ChordMember::Root;

    bool operator==(const Why &) const = default;
};

// The reasons of the analysis note of the part: for its name "?", its step "?" and its parallels.
// Nothing for a clean chord, an incomplete one or a group without four voices.
std::vector<Why> ExplainChord(HarExercis &ex, TMusDefinitor &definitor, int part, XmlNode analysisNote);
// The same over the notes of a pass that explains many chords of the part (notes of that part,
// read while the document stays as it is).
std::vector<Why> ExplainChord(HarExercis &ex, TMusDefinitor &definitor, int part, XmlNode analysisNote,
                              PartNotes &notes);

// The analysis note the student is looking at in the current part: the one at the cursor, or,
// when the cursor waits after the last chord, that chord. No node when there is none.
XmlNode AnalysisNoteAtCursor(const HarExercis &ex);

// The sentence for one reason, from the templates of the "Why" texts: text(id) gives a template
// whose %1, %2, %3 are filled in (voices, chords, numbers) and the names of voices ("Voice0" …)
// and chord members ("Root", "Third", "Fifth").
std::string WhyText(const Why &why, const std::function<std::string(const std::string &id)> &text);

} // namespace pw

#pragma once

// The connections of chords: which function may follow which, and how the voices may move for the
// step to be named. Rules are tried in order and the first match names the step, so the specific
// rules come first.

#include <optional>
#include <string>
#include <vector>

namespace pwgen {

// An inclusive range of a voice's movement in semitones, previous pitch minus new pitch
// (positive: the voice goes down).
struct Range
{
    int from;
    int to;
};

struct StepRule
{
    std::string from; // function of the previous chord
    std::string to; // function of the new chord
    std::string name; // empty: the set's default name
    std::optional<Range> bass;
    std::optional<Range> upperVoices; // the same range for tenor, alto and soprano
    std::optional<Range> heldVoices; // how many upper voices keep their pitch
};

inline const std::string HarmonicName = "гарм.";
inline const std::string MelodicName = "мелод.";
// A chord repeated in another position or spacing.
inline const std::string RepositionName = "перемещ.";

// The step rules of the four-voice groups; their default name is MelodicName.
std::vector<StepRule> StepRules();

// A voice moving between two pitch classes of the key (counted from the reference tonic).
struct ForbiddenMotion
{
    int voice;
    int previousClass;
    int nextClass;
};

// Motions that make any step "?" in minor: the augmented second between the sixth degree (F in A
// minor) and the raised seventh (G sharp), up or down, in any voice.
std::vector<ForbiddenMotion> AugmentedSeconds();

} // namespace pwgen

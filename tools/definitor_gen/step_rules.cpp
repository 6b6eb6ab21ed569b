#include "step_rules.h"

#include <utility>

namespace pwgen {

namespace {

// The steps the course allows, apart from S to D, which needs rules of its own. D to S is a
// retrogression: no rule names it, so it is "?".
const std::vector<std::pair<std::string, std::string>> &CommonToneSteps()
{
    static const std::vector<std::pair<std::string, std::string>> steps {
        {"T", "S"}, {"S", "T"}, {"T", "D"}, {"D", "T"}, {"T", "T"}, {"S", "S"}, {"D", "D"}};
    return steps;
}

// A step or a third: the nearest tones of the next chord.
constexpr Range NearestTone {-4, 4};
// Up to a fourth: the widest leap an upper voice may make; beyond it no rule matches.
constexpr Range UpToFourth {-5, 5};
constexpr Range AtLeastOneHeld {1, 3};
// A repeated chord may take its upper voices up to an octave away: a change of position.
constexpr Range UpToOctave {-12, 12};

constexpr int SixthDegree = 8;
constexpr int RaisedSeventh = 11;

} // namespace

std::vector<StepRule> StepRules()
{
    std::vector<StepRule> rules;
    // Harmonic connection: the common tone stays in the same voice, the other upper voices move
    // to the nearest tones of the new chord.
    for (const auto &[from, to] : CommonToneSteps())
        rules.push_back({from, to, HarmonicName, std::nullopt, NearestTone, AtLeastOneHeld});

    // S to D has no common tone: the upper voices move against the bass.
    rules.push_back({"S", "D", MelodicName, Range {-12, -1}, Range {1, 5}, std::nullopt}); // bass up
    rules.push_back({"S", "D", MelodicName, Range {1, 12}, Range {-5, -1}, std::nullopt}); // bass down

    // Melodic connection: every upper voice by a step, a third or a fourth.
    for (const auto &[from, to] : CommonToneSteps())
        rules.push_back({from, to, "", std::nullopt, UpToFourth, std::nullopt});

    // The same function again in another position: wider leaps, up to an octave.
    for (const auto &[from, to] : CommonToneSteps()) {
        if (from == to)
            rules.push_back({from, to, RepositionName, std::nullopt, UpToOctave, std::nullopt});
    }
    return rules;
}

std::vector<ForbiddenMotion> AugmentedSeconds()
{
    std::vector<ForbiddenMotion> motions;
    for (int voice = 0; voice < 4; ++voice) {
        motions.push_back({voice, SixthDegree, RaisedSeventh});
        motions.push_back({voice, RaisedSeventh, SixthDegree});
    }
    return motions;
}

} // namespace pwgen

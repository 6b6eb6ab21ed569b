#include "panels/drill_task.h"

#include "platform/random.h"

#include <algorithm>

namespace pw {

namespace {

// The highest chromatic first note; a second note is kept below LowestTooHigh by turning the
// interval downwards.
constexpr int LastChromaticKey = 61;
constexpr int LowestTooHigh = 63;
constexpr int ProgramsPerFamily = 16;

} // namespace

int FamilyBase(InstrumentFamily family)
{
    static constexpr std::array<int, FamilyCount> bases {1, 16, 31, 47, 79, 111, 127, 143};
    return bases[static_cast<std::size_t>(family)];
}

const std::array<int, 13> &WhiteKeyCandidates()
{
    static constexpr std::array<int, 13> keys {39, 41, 43, 44, 46, 48, 50, 51, 53, 55, 56, 58, 60};
    return keys;
}

int DrawProgram(const InstrumentChoice &instruments, Random &random)
{
    if (instruments.pianoOnly)
        return 0;
    std::vector<InstrumentFamily> ticked;
    for (int f = 0; f < FamilyCount; ++f) {
        if (instruments.families[static_cast<std::size_t>(f)])
            ticked.push_back(static_cast<InstrumentFamily>(f));
    }
    InstrumentFamily family = InstrumentFamily::Piano;
    if (!ticked.empty())
        family = ticked[static_cast<std::size_t>(random.below(static_cast<int>(ticked.size())))];
    return FamilyBase(family) - 1 + random.below(ProgramsPerFamily);
}

DrillTask MakeDrillTask(const DrillSettings &settings, const InstrumentChoice &instruments, Random &random)
{
    DrillTask task;
    if (settings.type == 1) {
        const auto &keys = WhiteKeyCandidates();
        task.first = keys[static_cast<std::size_t>(random.below(static_cast<int>(keys.size())))];
    } else {
        task.first = random.between(FirstPictureKey, LastChromaticKey);
    }
    task.program = DrawProgram(instruments, random);
    if (IsOneNoteType(settings.type)) {
        task.steps = {{task.first}};
        return task;
    }
    const int interval = 1 + random.below(settings.intervalCount);
    int second = task.first + interval;
    if (second >= LowestTooHigh)
        second = task.first - interval;
    // Sounding order first; the names are then put low to high where the lower note is the given one.
    const std::vector<std::vector<int>> together {{task.first, second}};
    const std::vector<std::vector<int>> inTurn {{task.first}, {second}};
    task.steps = settings.melodic ? inTurn : together;
    task.second = second;
    if (IsHintedType(settings.type) && second < task.first) {
        task.second = task.first;
        task.first = second;
    }
    return task;
}

} // namespace pw

#include "entry/computer_keys.h"

#include <array>
#include <utility>

namespace pw {

int StepFromKey(int key)
{
    static constexpr std::array<std::pair<int, int>, 20> steps {{
        {'A', 3},
        {'W', 4},
        {'S', 5},
        {'E', 6},
        {'D', 7},
        {'F', 8},
        {'T', 9},
        {'G', 10},
        {'Y', 11},
        {'H', 12},
        {'U', 13},
        {'J', 14},
        {'K', 15},
        {'O', 16},
        {'L', 17},
        {'P', 18},
        {keys::Semicolon, 19},
        {keys::Apostrophe, 20},
        {keys::BracketRight, 21},
        {keys::Backslash, 22},
    }};
    for (const auto &[k, step] : steps) {
        if (k == key)
            return step;
    }
    if (key == 'Q' || key == keys::Slash || key == keys::Less || key == keys::Greater)
        return RestStep;
    return NoStep;
}

int NoteFromKey(int key, int voice)
{
    const int step = StepFromKey(key);
    if (step == RestStep)
        return RestNote;
    if (step == NoStep)
        return NoNote;
    return step + 12 * (voice - 2);
}

int MidiNoteFromKey(int key, int voice, int octaveOffset)
{
    const int note = NoteFromKey(key, voice);
    return note <= RestNote ? note : note + 12 * octaveOffset + 57;
}

} // namespace pw

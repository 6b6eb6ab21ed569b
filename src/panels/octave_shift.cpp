#include "panels/octave_shift.h"

#include "document/har_exercis.h"

namespace pw {

namespace {

struct Toggle
{
    int before;
    int plus;
    int minus;
};

constexpr std::array<Toggle, 5> Toggles {{
    {-1, 1, 0},
    {0, 1, -1},
    {1, 0, 0},
    {2, 3, 1},
    {3, 1, 2},
}};

const Toggle *find(int offset)
{
    for (const Toggle &t : Toggles) {
        if (t.before == offset)
            return &t;
    }
    return nullptr;
}

} // namespace

// Offsets outside the table can only come from a hand-edited settings file; both buttons bring
// them back to 0.
int OctaveOffsetAfterPlus(int voice, int offset)
{
    const Toggle *t = find(offset);
    const int after = t ? t->plus : 0;
    return voice == Soprano && after == 1 ? 0 : after;
}

int OctaveOffsetAfterMinus(int voice, int offset)
{
    const Toggle *t = find(offset);
    const int after = t ? t->minus : 0;
    return voice == Bass && after < 0 ? 0 : after;
}

std::array<int, 2> LetteredOctaves(int voice, int offset)
{
    if (voice == Bass && offset < 0)
        offset = 0;
    return {voice + offset, voice + offset + 1};
}

} // namespace pw

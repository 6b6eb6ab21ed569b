#pragma once

#include <array>

namespace pw {

// The octave buttons of the piano panel work as toggles on the current voice's octave offset
// (the shift the computer keyboard plays with).
int OctaveOffsetAfterPlus(int voice, int offset);
int OctaveOffsetAfterMinus(int voice, int offset);

// The two octave pictures (0-based, left to right) the computer keys A to \ play in a voice with
// the given offset; an index outside the five pictures means that octave is off the keyboard.
std::array<int, 2> LetteredOctaves(int voice, int offset);

} // namespace pw

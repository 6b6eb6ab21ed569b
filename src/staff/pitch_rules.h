#pragma once

#include "document/har_exercis.h"

#include <array>

namespace pw {

// Sign codes of accidentals.
inline constexpr int NoSign = 0, Flat = 1, Natural = 2, Sharp = 3, DoubleSharp = 4, DoubleFlat = 5;

using AccidentalMemory = std::array<int, 11>;

// The staff position (bottom line 4, top line 12) of pitch high in a part of this tonality, on a
// staff with clef code clef: treble E4 and bass G2 on the bottom line. High must be 0 or more.
int StaffPosition(int high, const Tonality &tonality, int clef);

// A pitch as the staff writes it: letter 0 C … 6 B, octave 4 from middle C up to the B above it,
// and the alteration in semitones that the key signature and the accidental give it together.
struct WrittenPitch
{
    int letter = 0;
    int octave = 0;
    int alter = 0;

    bool operator==(const WrittenPitch &) const = default;
};

// The written pitch of high (0 or more) in a part of this tonality: on the staff position
// StaffPosition gives, with the key signature's sign of that step and the note's own.
WrittenPitch WrittenPitchOf(int high, const Tonality &tonality);

// The sign to show before the note, given the signs already shown in the measure; updates memory.
int AccidentalFor(int high, const Tonality &tonality, AccidentalMemory &memory);

} // namespace pw

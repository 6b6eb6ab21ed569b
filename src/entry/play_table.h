#pragma once

#include "document/har_exercis.h"

#include <array>
#include <optional>
#include <vector>

namespace pw {

class Ui;

// A cell of the play table with no note in it.
inline constexpr int NoPlayNote = -1;

// One time slot of a part's playback: the MIDI notes that start in it in bass, tenor, alto and
// soprano, then the notes that end in it in the same four voices.
using PlayRow = std::array<int, 8>;
using PlayTable = std::vector<PlayRow>;

// The MIDI note a pitch of a part sounds in its key (the inverse of note entry's PitchFromMidi);
// NoPlayNote for a rest and for anything outside the MIDI range.
int MidiFromPitch(int high, Tonality key);

// The play table of one part of the exercise: one row per slot of the finest unit among its
// measures, as many rows as its measures last, plus one for the last note-offs. Nothing when the
// part does not exist or has no measures. A note running past the end is reported with the "!!!"
// box and ends the playback of its voice.
std::optional<PlayTable> BuildPlayTable(const HarExercis &ex, int part, Ui &ui);

} // namespace pw

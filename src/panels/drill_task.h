#pragma once

// One task of the note-naming drill: the notes asked, how they sound and with which instrument.
// Notes are key indices: 0 is A0, so the MIDI note number is the key index + 21.

#include "panels/drill_settings.h"

#include <array>
#include <optional>
#include <vector>

namespace pw {

class Random;

inline constexpr int KeyIndexToMidi = 21;
// C4, the first key of the pictures.
inline constexpr int FirstPictureKey = 39;

// The instrument families of the panel's check boxes, in their order.
enum class InstrumentFamily { Piano, OtherKeys, Organ, Guitar, Strings, Brass, Reeds, Pipes };
inline constexpr int FamilyCount = 8;
// The first program of a family's sixteen is its base - 1.
int FamilyBase(InstrumentFamily family);

struct InstrumentChoice
{
    std::array<bool, FamilyCount> families {true, false, false, false, false, false, false, false};
    // "Piano only": program 0 for every task.
    bool pianoOnly = false;
};

struct DrillTask
{
    int first = FirstPictureKey;
    // No second note in the one-note variants.
    std::optional<int> second;
    int program = 0;
    // The notes of each step as key indices: one step when they sound together, two a second
    // apart in the melodic variants (the first note first, whichever is lower).
    std::vector<std::vector<int>> steps;
};

// The first notes type 1 asks: the white keys from C4 to A5.
const std::array<int, 13> &WhiteKeyCandidates();

// Draws a task: the first note, then the program, then the second note, in that order from random.
DrillTask MakeDrillTask(const DrillSettings &settings, const InstrumentChoice &instruments, Random &random);

int DrawProgram(const InstrumentChoice &instruments, Random &random);

} // namespace pw

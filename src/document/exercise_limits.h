#pragma once

// What an exercise file may hold. The loader refuses a file past these limits with a reason, so
// that entry, analysis, drawing and playback only ever do arithmetic on values in range.

#include <pugixml.hpp>

#include <string>

namespace pw {

namespace exercise_limits {
inline constexpr int MaxParts = 1000;
inline constexpr int MaxVoicesPerPart = 64;
inline constexpr int MaxNotesPerVoice = 100000;
// Voice numbers (H) and staves (PolyphonyVoices).
inline constexpr int MaxVoiceNumber = 7;
inline constexpr int MaxStaves = 8;
// Pitches share the MIDI range; a negative High is a rest.
inline constexpr int LowestHigh = -127;
inline constexpr int HighestHigh = 127;
// Note lengths and time signature units are powers of two up to this code; a note of length 0 is
// a head without a duration (it has a glyph of its own).
inline constexpr int ShortestLength = 128;
inline constexpr int MaxBeats = 64;
inline constexpr int MaxSigns = 7;
inline constexpr int MaxIterations = 1000;
inline constexpr int MaxLimitMinutes = 24 * 60;
inline constexpr int MaxLimitSeconds = 24 * 60 * 60;
} // namespace exercise_limits

// The first value of the exercise element that is not a whole number or is out of its range, or a
// count past its limit: "часть 2, голос 1, нота 5: атрибут «High» = 300 вне допустимых значений
// -127…127" (built-in Russian, as every message of this layer). Empty when everything is in range.
std::string ExerciseValueProblem(pugi::xml_node exercise);

} // namespace pw

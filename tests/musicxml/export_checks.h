#pragma once

// What every export must keep of the exercise it was made from, checked over the score a
// notation program reads back.

#include "musicxml/score_reader.h"

namespace pw {
class HarExercis;
class TMusDefinitor;
} // namespace pw

namespace pwtest {

// The score of every part of ex, in order, against the exercise: sections with their key, time
// and words, each voice's notes with their pitch (as played, spelled as the staff writes it and
// as the key signature has it), start and length, staves, voices and stems, and, with analysis,
// the labels of every analysed chord under its lowest note.
void ExpectScoreOf(const pw::HarExercis &ex, const ReadScore &score, const pw::TMusDefinitor *analysis);

} // namespace pwtest

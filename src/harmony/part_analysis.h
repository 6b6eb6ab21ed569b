#pragma once

// The analysis of a part whose notes are already written, as if they had been entered one by one.

namespace pw {

class HarExercis;
class TMusDefinitor;

// Removes the notes of the part's analysis voices.
void EmptyAnalysisVoices(HarExercis &ex, int part);

// Makes part current and, with its lowest-numbered note voice that has notes as current voice,
// analyses the chord at each of that voice's notes in order with create on, rebuilding the measure
// index after each as an insertion does. Does nothing when no voice has notes.
void AnalyseWrittenPart(HarExercis &ex, TMusDefinitor &definitor, int part);

// Every part's analysis voices emptied, then every part analysed with AnalyseWrittenPart; the
// current part and every part's cursor are left as they were, and the change is notified.
void AnalyseWrittenExercise(HarExercis &ex, TMusDefinitor &definitor);

// A part whose four voices are all written from the start is a worked example: its chords are
// analysed as they stand, so the example opens with its labels. Parts the student still writes
// and one-voice groups are left alone. True when any part was analysed (the change is notified).
bool AnalyseWorkedExamples(HarExercis &ex, TMusDefinitor &definitor);

} // namespace pw

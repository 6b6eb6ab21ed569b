// A whole insertion as a played note makes it: undo snapshot, note written, chord and neighbours
// analysed, measure index rebuilt.

#include "document/har_exercis.h"
#include "entry/note_entry.h"
#include "harmony/definitor.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_InsertNote(benchmark::State &state)
{
    const std::filesystem::path data = PARTWRITER_BUNDLED_DATA;
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "pw-entry-bench";
    std::filesystem::create_directories(scratch / "xml");
    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::TimerArea task;
    pw::HarExercis exercise(ui, random, scratch);
    pw::TMusDefinitor definitor(data / "xml" / "definitor.xml", ui);
    pw::NullEntryView view;
    pw::NoteEntry entry(exercise, definitor, ui, view);
    if (!exercise.LoadExercise((data / "xml" / "Chromo-major-bemol.xml").string(), &task, false)) {
        state.SkipWithError("cannot load the start exercise");
        return;
    }
    // Tenor, alto and soprano of the first chord, then the tenor note replaced again and again.
    for (int midi : {53, 57, 65}) {
        entry.InsertFromMidi(midi);
        entry.AdvanceAfterInsert();
    }
    exercise.part(0).CurVoice = 1;
    exercise.part(0).CurPos = 0;
    int midi = 53;
    for (auto _ : state) {
        benchmark::DoNotOptimize(entry.InsertFromMidi(midi));
        midi = midi == 53 ? 57 : 53;
    }
}
BENCHMARK(BM_InsertNote)->Unit(benchmark::kMicrosecond);

} // namespace

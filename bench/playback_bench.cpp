// The play table of a four-voice part is built at every press of the play button.

#include "document/har_exercis.h"
#include "entry/play_table.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Sixteen measures of 4/4 in all four voices: quarters, a pair of eighths and a dotted half.
std::string fourVoiceExercise()
{
    std::string part = "<Part><Tonality type=\"1\" val=\"-2\"/><Size chi=\"4\" zna=\"8\"/>";
    for (int h = 0; h < 4; ++h) {
        part += "<Voice H=\"" + std::to_string(h) + "\">";
        const std::string high = std::to_string(24 + 7 * h);
        for (int measure = 0; measure < 16; ++measure) {
            if (measure % 2 == 0)
                part += "<Note High=\"" + high + "\" Long=\"8\"/><Note High=\"" + high
                    + "\" Long=\"16\"/><Note High=\"" + high + "\" Long=\"16\"/><Note High=\"" + high
                    + "\" Long=\"4\"/>";
            else
                part += "<Note High=\"" + high + "\" Long=\"4\" P=\"1\"/><Note High=\"-1\" Long=\"8\"/>";
        }
        part += "</Voice>";
    }
    return "<MExercise>" + part + "</Part></MExercise>";
}

void BM_BuildPlayTable(benchmark::State &state)
{
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "pw-playback-bench";
    std::filesystem::create_directories(scratch / "xml");
    const std::filesystem::path file = scratch / "xml" / "four-voices.xml";
    std::ofstream(file) << fourVoiceExercise();
    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::TimerArea task;
    pw::HarExercis exercise(ui, random, scratch);
    if (!exercise.LoadExercise(file.string(), &task, false)) {
        state.SkipWithError("cannot load the exercise");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(pw::BuildPlayTable(exercise, 0, ui));
    if (!ui.messages.empty())
        state.SkipWithError("the part does not fit its table");
}
BENCHMARK(BM_BuildPlayTable)->Unit(benchmark::kMicrosecond);

} // namespace

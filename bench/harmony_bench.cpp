// One insertion's analysis against the bundled rule base: the chord at the cursor and its two
// neighbours (three CheckChordAt calls) in a part of eight written chords.

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "harmony/chord_explanation.h"
#include "harmony/definitor.h"
#include "harmony/harmony_check.h"
#include "harmony/part_analysis.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// T S D T | T6 S D T in C major, close position.
constexpr std::array<std::array<int, 4>, 8> Chords {{{24, 31, 36, 40},
                                                     {17, 33, 36, 41},
                                                     {19, 31, 35, 38},
                                                     {12, 31, 36, 40},
                                                     {16, 31, 36, 43},
                                                     {17, 33, 36, 41},
                                                     {19, 31, 35, 38},
                                                     {12, 31, 36, 40}}};

fs::path writeExercise()
{
    const fs::path folder = fs::temp_directory_path() / ("pw-harmony-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "xml");
    std::ofstream out(folder / "xml" / "bench.xml");
    out << "<MExercise Def=\"TSD major\"><Part><Tonality type=\"1\" val=\"0\"/><Size chi=\"4\" zna=\"8\"/>";
    for (std::size_t v = 0; v < 4; ++v) {
        out << "<Voice H=\"" << v << "\">";
        for (const auto &chord : Chords)
            out << "<Note High=\"" << chord[v] << "\" Long=\"8\"/>";
        out << "</Voice>";
    }
    out << "</Part></MExercise>";
    return folder;
}

void BM_InsertionAnalysis(benchmark::State &state)
{
    const fs::path folder = writeExercise();
    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::HarExercis ex(ui, random, folder);
    ex.LoadExercise("xml/bench.xml", nullptr, false);
    pw::TMusDefinitor definitor(fs::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui);
    pw::AnalyseWrittenPart(ex, definitor, 0);
    // The soprano of the second measure's S was just written.
    ex.part(0).CurVoice = 3;
    for (auto _ : state) {
        pw::AnalyseInsertion(ex, definitor, 1, 1, 41, 8, 0);
        pw::BuildTacts(ex.part(0).Node, ex.part(0).Tacts);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_InsertionAnalysis)->Unit(benchmark::kMicrosecond);

// The same insertion of a faulty chord, with the reasons of its label worked out as the panel does
// after every note: the soprano of the S leaps up a sixth and makes octaves with the bass.
void BM_InsertionWithExplanation(benchmark::State &state)
{
    const fs::path folder = writeExercise();
    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::HarExercis ex(ui, random, folder);
    ex.LoadExercise("xml/bench.xml", nullptr, false);
    pw::TMusDefinitor definitor(fs::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui);
    pw::AnalyseWrittenPart(ex, definitor, 0);
    ex.part(0).CurVoice = 3;
    ex.part(0).CurTact = 1;
    ex.part(0).CurPos = 1;
    pw::XmlNode soprano = pw::NoteVoice(ex.part(0).Node, 3);
    pw::SetNotePitch(pw::NotesOf(soprano)[5], 48);
    std::size_t reasons = 0;
    for (auto _ : state) {
        pw::AnalyseInsertion(ex, definitor, 1, 1, 48, 8, 0);
        pw::BuildTacts(ex.part(0).Node, ex.part(0).Tacts);
        reasons += pw::ExplainChord(ex, definitor, 0, pw::AnalysisNoteAtCursor(ex)).size();
    }
    if (reasons == 0)
        state.SkipWithError("the faulty chord had no reasons");
    fs::remove_all(folder);
}
BENCHMARK(BM_InsertionWithExplanation)->Unit(benchmark::kMicrosecond);

} // namespace

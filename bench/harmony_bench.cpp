// One insertion's analysis against the bundled rule base: the chord at the cursor and its two
// neighbours (three CheckChordAt calls) in a part of eight written chords. And the analysis of a
// whole exercise of 20,000 chords as partwriter-cli analyze makes it.

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "document/timer_area.h"
#include "harmony/chord_explanation.h"
#include "harmony/definitor.h"
#include "harmony/exercise_check.h"
#include "harmony/harmony_check.h"
#include "harmony/part_analysis.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "support/generated_exercise.h"

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

// The eight chords loaded and analysed against the bundled rule base, in a folder of their own.
struct AnalysedExercise
{
    AnalysedExercise()
        : folder(writeExercise())
        , ex(ui, random, folder)
    {
        ex.LoadExercise("xml/bench.xml", nullptr, false);
        pw::AnalyseWrittenPart(ex, definitor, 0);
    }
    ~AnalysedExercise() { fs::remove_all(folder); }

    fs::path folder;
    pw::RecordingUi ui;
    pw::StdRandom random {1};
    pw::HarExercis ex;
    pw::TMusDefinitor definitor {fs::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui};
};

void BM_InsertionAnalysis(benchmark::State &state)
{
    AnalysedExercise a;
    // The soprano of the second measure's S was just written.
    a.ex.part(0).CurVoice = 3;
    for (auto _ : state) {
        pw::AnalyseInsertion(a.ex, a.definitor, 1, 1, 41, 8, 0);
        pw::BuildTacts(a.ex.part(0).Node, a.ex.part(0).Tacts);
    }
}
BENCHMARK(BM_InsertionAnalysis)->Unit(benchmark::kMicrosecond);

// The same insertion of a faulty chord, with the reasons of its label worked out as the panel does
// after every note: the soprano of the S leaps up a sixth and makes octaves with the bass.
void BM_InsertionWithExplanation(benchmark::State &state)
{
    AnalysedExercise a;
    pw::HarExercis &ex = a.ex;
    ex.part(0).CurVoice = 3;
    ex.part(0).CurTact = 1;
    ex.part(0).CurPos = 1;
    pw::XmlNode soprano = pw::NoteVoice(ex.part(0).Node, 3);
    pw::SetNotePitch(pw::NotesOf(soprano)[5], 48);
    std::size_t reasons = 0;
    for (auto _ : state) {
        pw::AnalyseInsertion(ex, a.definitor, 1, 1, 48, 8, 0);
        pw::BuildTacts(ex.part(0).Node, ex.part(0).Tacts);
        reasons += pw::ExplainChord(ex, a.definitor, 0, pw::AnalysisNoteAtCursor(ex)).size();
    }
    if (reasons == 0)
        state.SkipWithError("the faulty chord had no reasons");
}
BENCHMARK(BM_InsertionWithExplanation)->Unit(benchmark::kMicrosecond);

// partwriter-cli analyze after its load: every part's analysis voices emptied and every chord
// analysed as if entered (the checking pass counting the errors after it), then the reasons of
// every label worked out. One part of four voices of 20,000 quarter-note chords (80,000 notes).
void BM_AnalyseLargeExercise(benchmark::State &state)
{
    const int chords = static_cast<int>(state.range(0));
    const fs::path folder
        = fs::temp_directory_path() / ("pw-harmony-bench-large-" + std::to_string(::getpid()));
    fs::create_directories(folder / "xml");
    std::ofstream(folder / "xml" / "large.xml") << pwtest::ChordsExerciseXml(chords);
    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::TimerArea task;
    task.Iterations = -1;
    pw::HarExercis ex(ui, random, folder);
    pw::ExerciseChecker checker(ex);
    if (!ex.LoadExercise("xml/large.xml", &task, false)) {
        state.SkipWithError("the exercise did not load");
        return;
    }
    pw::TMusDefinitor definitor(fs::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui);
    std::size_t labels = 0;
    std::size_t reasons = 0;
    for (auto _ : state) {
        pw::AnalyseWrittenExercise(ex, definitor);
        for (int p = 0; p < ex.PartCount(); ++p) {
            pw::PartNotes notes(ex.part(p).Node);
            const pw::XmlNode analysis = pw::FirstVoiceOfType(ex.part(p).Node, pw::AnalysisVoiceType);
            for (pw::XmlNode note : pw::NotesOf(analysis)) {
                ++labels;
                reasons += pw::ExplainChord(ex, definitor, p, note, notes).size();
            }
        }
    }
    if (labels != static_cast<std::size_t>(chords) * state.iterations() || reasons == 0
        || ex.part(0).Errors == 0)
        state.SkipWithError("not every chord was analysed, or no fault was found");
    state.counters["errors"] = ex.part(0).Errors;
    fs::remove_all(folder);
}
BENCHMARK(BM_AnalyseLargeExercise)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

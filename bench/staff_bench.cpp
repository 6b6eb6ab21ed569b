// One repaint of the staff view: a four-voice exercise of eight measures with its analysis, onto
// a 1600 x 1000 image; and the layout and repaint of an analysed exercise of 20,000 chords at
// 1280 x 800, as partwriter-cli render --analyze draws it.

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "platform/qpainter_canvas.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "staff/mparms.h"
#include "staff/staff_paint.h"
#include "support/generated_exercise.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// T S D T in close position, eight times.
std::string cadenceExercise()
{
    const int voices[4][4] = {{24, 17, 19, 24}, {31, 33, 31, 31}, {36, 36, 35, 36}, {40, 41, 38, 40}};
    std::string xml
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><MExercise Def=\"TSD major\">"
          "<Part Key0=\"4\" Key1=\"1\"><Tonality type=\"1\" val=\"-1\"/><Size chi=\"4\" zna=\"8\"/>";
    for (int h = 0; h < 4; ++h) {
        xml += "<Voice H=\"" + std::to_string(h) + "\">";
        for (int measure = 0; measure < 8; ++measure) {
            for (int high : voices[h])
                xml += "<Note High=\"" + std::to_string(high) + "\" Long=\"8\"/>";
        }
        xml += "</Voice>";
    }
    return xml + "<Voice H=\"0\" Type=\"Def\"/></Part></MExercise>";
}

void PaintAllAnalysedExercise(benchmark::State &state)
{
    int argc = 1;
    char name[] = "bench_staff";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pw_staff_bench";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "cadence.xml") << cadenceExercise();

    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::TimerArea task;
    task.Iterations = -1;
    pw::HarExercis ex(ui, random, folder);
    if (!ex.LoadExercise((folder / "cadence.xml").string(), &task, false)) {
        state.SkipWithError("the exercise did not load");
        return;
    }
    pw::TMusDefinitor definitor(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui);
    pw::AnalyseWrittenPart(ex, definitor, 0);
    if (pw::SelectNodes(ex.part(0).Node, "Voice[@Type='Def']/Note").size() != 32) {
        state.SkipWithError("the analysis did not name every chord");
        return;
    }
    ex.part(0).CurVoice = 3;

    pw::QtBitmapLoader loader;
    pw::MParms parms(PARTWRITER_PROGRAM_DIR, loader, ui);
    QImage image(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        pw::QPainterCanvas canvas(image);
        parms.SetViewport(0, image.width(), 0, image.height());
        benchmark::DoNotOptimize(pw::PaintAll(ex, canvas, parms, ui, 0));
    }
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(PaintAllAnalysedExercise)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

namespace {

void PaintAllLargeExercise(benchmark::State &state)
{
    int argc = 1;
    char name[] = "bench_staff";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const int chords = static_cast<int>(state.range(0));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pw_staff_bench_large";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "large.xml") << pwtest::ChordsExerciseXml(chords);

    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::TimerArea task;
    task.Iterations = -1;
    pw::HarExercis ex(ui, random, folder);
    if (!ex.LoadExercise((folder / "large.xml").string(), &task, false)) {
        state.SkipWithError("the exercise did not load");
        return;
    }
    pw::TMusDefinitor definitor(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml", ui);
    pw::AnalyseWrittenExercise(ex, definitor);

    pw::QtBitmapLoader loader;
    pw::MParms parms(PARTWRITER_PROGRAM_DIR, loader, ui);
    QImage image(1280, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        pw::QPainterCanvas canvas(image);
        parms.SetViewport(0, image.width(), 0, image.height());
        benchmark::DoNotOptimize(pw::PaintAll(ex, canvas, parms, ui, 0));
    }
    if (ex.part(0).Tacts.TactCount != chords / 4)
        state.SkipWithError("the measures were not laid out");
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(PaintAllLargeExercise)->Arg(20000)->Unit(benchmark::kMillisecond);

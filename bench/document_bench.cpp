// BuildTacts runs on every insertion; LoadExercise on every open and every new iteration. The
// large cases: the measure index of a part of 20,000 chords, and of a part of 10,000 voices.

#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "document/xml_file.h"
#include "platform/file_paths.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "support/generated_exercise.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// Four parts of eight 4/4 measures, four voices of quarters and an analysis voice.
std::string fourPartExercise()
{
    std::string xml = "<MExercise Def=\"TSD major\" CountIteration=\"2\" LimitMin=\"5\">";
    for (int p = 0; p < 4; ++p) {
        xml += "<Part Key0=\"4\" Key1=\"1\"><Tonality type=\"1\" val=\"" + std::to_string(p)
            + "\"/>"
              "<Size chi=\"4\" zna=\"8\"/>";
        for (int v = 0; v < 4; ++v) {
            xml += "<Voice H=\"" + std::to_string(v) + "\">";
            for (int n = 0; n < 32; ++n)
                xml += "<Note High=\"" + std::to_string(24 + 7 * v + n % 5) + "\" Long=\"" + "8" + "\"/>";
            xml += "</Voice>";
        }
        xml += "</Part>";
    }
    return xml + "</MExercise>";
}

std::filesystem::path benchFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "pw-document-bench";
        std::filesystem::create_directories(f / "xml");
        pw::WriteFileAtomically(f / "xml" / "four.xml", fourPartExercise());
        return f;
    }();
    return folder;
}

void BM_BuildTacts(benchmark::State &state)
{
    pugi::xml_document doc;
    pw::LoadXmlText(doc, fourPartExercise());
    pw::XmlNode part = doc.document_element().child("Part");
    pw::Tacts tacts;
    for (auto _ : state) {
        pw::BuildTacts(part, tacts);
        benchmark::DoNotOptimize(tacts.TactCount);
    }
}
BENCHMARK(BM_BuildTacts);

void BM_LoadExercise(benchmark::State &state)
{
    pw::RecordingUi ui;
    pw::StdRandom random(1);
    pw::TimerArea task;
    pw::HarExercis exercise(ui, random, benchFolder());
    const std::string file = (benchFolder() / "xml" / "four.xml").string();
    for (auto _ : state) {
        task.Iterations = -1;
        benchmark::DoNotOptimize(exercise.LoadExercise(file, &task, false));
    }
}
BENCHMARK(BM_LoadExercise)->Unit(benchmark::kMicrosecond);

// A fresh index each time, as a load builds it: every voice gets its slot.
void BM_BuildTactsLarge(benchmark::State &state, const std::string &xml)
{
    pugi::xml_document doc;
    pw::LoadXmlText(doc, xml);
    pw::XmlNode part = doc.document_element().child("Part");
    for (auto _ : state) {
        pw::Tacts tacts;
        pw::BuildTacts(part, tacts);
        benchmark::DoNotOptimize(tacts.TactCount);
    }
}
BENCHMARK_CAPTURE(BM_BuildTactsLarge, chords_20000, pwtest::ChordsExerciseXml(20000))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildTactsLarge, voices_10000, pwtest::ManyVoicesExerciseXml(10000))
    ->Unit(benchmark::kMillisecond);

} // namespace

// One drawing of each view of the bundled scene set, as the lesson window makes 25 times a second,
// through a GL that does nothing: what is left is the interpreter's own cost, its formulas
// compiled and run on every drawing.

#include "document/xml_file.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "scene3d/orb3d.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

const std::filesystem::path kScenes
    = std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "scenes-harmony.xml";

class NoGl : public pw::SceneGl
{
public:
    void matrixMode(pw::GlMatrixMode) override { }
    void loadIdentity() override { }
    void pushMatrix() override { }
    void popMatrix() override { }
    void translate(double, double, double) override { }
    void rotate(double, double, double, double) override { }
    void scale(double, double, double) override { }
    void frustum(double, double, double, double, double, double) override { }
    void ortho(double, double, double, double, double, double) override { }
    void perspective(double, double, double, double) override { }
    void begin(pw::GlPrimitive) override { }
    void end() override { }
    void vertex(double x, double y) override { benchmark::DoNotOptimize(x + y), ++vertices; }
    void vertex(double x, double y, double z) override { benchmark::DoNotOptimize(x + y + z), ++vertices; }
    void color(double, double, double) override { }
    void pointSize(double) override { }
    void lineWidth(double) override { }
    void lineStipple(int, std::uint16_t) override { }
    void polygonMode(pw::GlFaces, pw::GlPolygonMode) override { }
    void shadeFlat() override { }
    void shadeSmooth() override { }
    void enable(pw::GlCapability) override { }
    void disable(pw::GlCapability) override { }
    void scissor(int, int, int, int) override { }
    void wireSphere(double, int, int) override { }
    void viewport(int, int, int, int) override { }
    void clearColor(double, double, double, double) override { }
    void clear() override { }

    long vertices = 0;
};

// The English caption of the view, to name the figures.
std::string caption(int view)
{
    pugi::xml_document doc;
    if (!pw::LoadXmlFile(doc, kScenes))
        return {};
    const pugi::xpath_node_set views = pw::SelectNodes(doc, "//Scenes/Scene");
    return view < int(views.size()) ? pw::GetAttr(views[std::size_t(view)].node(), "TextEnglish")
                                    : std::string();
}

void BM_DrawView(benchmark::State &state)
{
    pw::RecordingUi ui;
    pw::StdRandom random {3};
    pw::orb3d scenes {ui, random};
    if (!scenes.LoadScenes(kScenes) || state.range(0) >= scenes.SceneCount()) {
        state.SkipWithError("the bundled scene set does not load or has fewer views");
        return;
    }
    scenes.SelectScene(int(state.range(0)));
    scenes.ResizeView(800, 600);
    NoGl gl;
    for (auto _ : state)
        if (!scenes.DrawScene(gl)) {
            state.SkipWithError("the view reports an error");
            break;
        }
    state.SetLabel(caption(int(state.range(0))));
    state.counters["vertices"] = benchmark::Counter(double(gl.vertices), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DrawView)->DenseRange(0, 3)->ArgName("view")->Unit(benchmark::kMicrosecond);

} // namespace

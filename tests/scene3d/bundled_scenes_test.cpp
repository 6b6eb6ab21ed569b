// The scene set of the bundled course, drawn as the lesson window draws it: every view at two
// window shapes, followed through its matrices to where its vertices land.

#include "document/xml_file.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "scene3d/orb3d.h"
#include "scene3d/recording_gl.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

namespace pw {
namespace {

const std::filesystem::path kScenes
    = std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "scenes-harmony.xml";

// Column-major, as OpenGL keeps them.
using Matrix = std::array<double, 16>;

constexpr Matrix Identity {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix operator*(const Matrix &a, const Matrix &b)
{
    Matrix m {};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                m[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return m;
}

// Rows as written on paper, stored column-major.
Matrix fromRows(std::array<double, 16> rows)
{
    Matrix m {};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            m[col * 4 + row] = rows[row * 4 + col];
    return m;
}

// Records the calls and follows them as OpenGL would: the two matrix stacks and the primitives
// open, counting the vertices that land inside the view volume.
class TrackingGl : public RecordingGl
{
public:
    int vertices = 0;
    int inside = 0;
    int begins = 0;
    // Calls out of order: a begin inside a primitive, an end or a vertex outside one, a pop of a
    // matrix this drawing did not push.
    int misordered = 0;
    int pushes = 0;
    int pops = 0;

    void matrixMode(GlMatrixMode mode) override
    {
        RecordingGl::matrixMode(mode);
        m_mode = mode;
    }
    void loadIdentity() override
    {
        RecordingGl::loadIdentity();
        current() = Identity;
    }
    void pushMatrix() override
    {
        RecordingGl::pushMatrix();
        ++pushes;
        stack().push_back(current());
    }
    void popMatrix() override
    {
        RecordingGl::popMatrix();
        ++pops;
        if (stack().size() <= 1) {
            ++misordered;
            return;
        }
        stack().pop_back();
    }
    void translate(double x, double y, double z) override
    {
        RecordingGl::translate(x, y, z);
        multiply(fromRows({1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1}));
    }
    void rotate(double angle, double x, double y, double z) override
    {
        RecordingGl::rotate(angle, x, y, z);
        const double length = std::sqrt(x * x + y * y + z * z);
        if (length == 0)
            return;
        x /= length, y /= length, z /= length;
        const double a = angle * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a), t = 1 - c;
        multiply(fromRows({x * x * t + c, x * y * t - z * s, x * z * t + y * s, 0, y * x * t + z * s,
                           y * y * t + c, y * z * t - x * s, 0, x * z * t - y * s, y * z * t + x * s,
                           z * z * t + c, 0, 0, 0, 0, 1}));
    }
    void scale(double x, double y, double z) override
    {
        RecordingGl::scale(x, y, z);
        multiply(fromRows({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1}));
    }
    void frustum(double l, double r, double b, double t, double n, double f) override
    {
        RecordingGl::frustum(l, r, b, t, n, f);
        multiply(fromRows({2 * n / (r - l), 0, (r + l) / (r - l), 0, 0, 2 * n / (t - b), (t + b) / (t - b), 0,
                           0, 0, -(f + n) / (f - n), -2 * f * n / (f - n), 0, 0, -1, 0}));
    }
    void ortho(double l, double r, double b, double t, double n, double f) override
    {
        RecordingGl::ortho(l, r, b, t, n, f);
        multiply(fromRows({2 / (r - l), 0, 0, -(r + l) / (r - l), 0, 2 / (t - b), 0, -(t + b) / (t - b), 0, 0,
                           -2 / (f - n), -(f + n) / (f - n), 0, 0, 0, 1}));
    }
    void perspective(double fovy, double aspect, double n, double f) override
    {
        RecordingGl::perspective(fovy, aspect, n, f);
        const double cot = 1 / std::tan(fovy * std::numbers::pi / 360);
        multiply(fromRows({cot / aspect, 0, 0, 0, 0, cot, 0, 0, 0, 0, (f + n) / (n - f), 2 * f * n / (n - f),
                           0, 0, -1, 0}));
    }
    void begin(GlPrimitive primitive) override
    {
        RecordingGl::begin(primitive);
        ++begins;
        misordered += m_open;
        m_open = true;
    }
    void end() override
    {
        RecordingGl::end();
        misordered += !m_open;
        m_open = false;
    }
    void vertex(double x, double y) override
    {
        RecordingGl::vertex(x, y);
        land(x, y, 0);
    }
    void vertex(double x, double y, double z) override
    {
        RecordingGl::vertex(x, y, z);
        land(x, y, z);
    }

    // Whether the drawing left a primitive open.
    bool open() const { return m_open; }

private:
    std::vector<Matrix> &stack() { return m_mode == GlMatrixMode::ModelView ? m_modelView : m_projection; }
    Matrix &current() { return stack().back(); }
    void multiply(const Matrix &m) { current() = current() * m; }

    void land(double x, double y, double z)
    {
        ++vertices;
        misordered += !m_open;
        const Matrix all = m_projection.back() * m_modelView.back();
        std::array<double, 4> clip {};
        for (int row = 0; row < 4; ++row)
            clip[row] = all[row] * x + all[4 + row] * y + all[8 + row] * z + all[12 + row];
        const double w = clip[3];
        const double margin = w * 1e-9;
        if (w > 0 && std::abs(clip[0]) <= w + margin && std::abs(clip[1]) <= w + margin
            && std::abs(clip[2]) <= w + margin)
            ++inside;
    }

    GlMatrixMode m_mode = GlMatrixMode::ModelView;
    std::vector<Matrix> m_modelView {Identity};
    std::vector<Matrix> m_projection {Identity};
    bool m_open = false;
};

struct Shape
{
    int width, height;
};

// The lesson window's usual shape and a tall narrow one.
constexpr std::array<Shape, 2> Shapes {Shape {800, 600}, Shape {400, 900}};

// One drawing's calls in pairs, something drawn, and all of it inside the window.
::testing::AssertionResult drawnCleanly(const TrackingGl &gl)
{
    if (gl.misordered != 0 || gl.open())
        return ::testing::AssertionFailure() << gl.misordered << " calls out of order";
    if (gl.pushes != gl.pops)
        return ::testing::AssertionFailure() << gl.pushes << " pushes, " << gl.pops << " pops";
    if (gl.begins == 0 || gl.vertices < 40)
        return ::testing::AssertionFailure() << gl.begins << " primitives, " << gl.vertices << " vertices";
    if (gl.inside != gl.vertices)
        return ::testing::AssertionFailure()
            << gl.vertices - gl.inside << " of " << gl.vertices << " vertices outside the window";
    return ::testing::AssertionSuccess();
}

int sceneCount()
{
    RecordingUi ui;
    StdRandom random {3};
    orb3d scenes {ui, random};
    EXPECT_TRUE(scenes.LoadScenes(kScenes));
    return scenes.SceneCount();
}

TEST(BundledScenes, AreASetOfAtLeastThreeViewsEachCaptionedInBothLanguages)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlFile(doc, kScenes));
    const pugi::xpath_node_set views = SelectNodes(doc, "//Scenes/Scene");
    EXPECT_GE(views.size(), 3u);
    EXPECT_EQ(sceneCount(), int(views.size()));
    for (const pugi::xpath_node &view : views) {
        EXPECT_FALSE(GetAttr(view.node(), "Text").empty());
        EXPECT_FALSE(GetAttr(view.node(), "TextEnglish").empty()) << GetAttr(view.node(), "Text");
        // A dark background, cleared on every drawing.
        const std::vector<std::string> background = SceneValues::SplitList(GetAttr(view.node(), "color"));
        ASSERT_EQ(background.size(), 3u) << GetAttr(view.node(), "Text");
        for (const std::string &channel : background)
            EXPECT_LT(std::stod(channel), 0.25) << GetAttr(view.node(), "Text");
    }
}

// Each view from a fresh load, so that none leans on variables another view defines: fifty
// drawings without an error, calls in pairs, everything drawn inside the window, and movement.
TEST(BundledScenes, EveryViewDrawsCleanlyInsideTheWindowAndMoves)
{
    const int count = sceneCount();
    ASSERT_GE(count, 3);
    for (int view = 0; view < count; ++view) {
        for (const Shape shape : Shapes) {
            SCOPED_TRACE("view " + std::to_string(view + 1) + " at " + std::to_string(shape.width) + "x"
                         + std::to_string(shape.height));
            RecordingUi ui;
            StdRandom random {3};
            orb3d scenes {ui, random};
            ASSERT_TRUE(scenes.LoadScenes(kScenes));
            scenes.SelectScene(view);
            ASSERT_EQ(scenes.CurrentScene(), view);
            scenes.ResizeView(shape.width, shape.height);
            std::vector<std::string> first, thirtieth;
            for (int drawing = 1; drawing <= 50; ++drawing) {
                TrackingGl gl;
                ASSERT_TRUE(scenes.DrawScene(gl))
                    << "drawing " << drawing << (ui.messages.empty() ? "" : ": " + ui.messages.front().text);
                if (drawing == 1)
                    first = gl.calls;
                if (drawing == 30)
                    thirtieth = gl.calls;
                const ::testing::AssertionResult clean = drawnCleanly(gl);
                EXPECT_TRUE(clean) << "drawing " << drawing;
                if (!clean)
                    break;
            }
            EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
            EXPECT_FALSE(first == thirtieth) << "drawings 1 and 30 are the same";
        }
    }
}

// The checks above must see a view that spills out of the window or leaves its matrix pushed.
TEST(BundledScenes, TheTrackingSeesVerticesOutsideAndUnpairedMatrices)
{
    RecordingUi ui;
    StdRandom random {3};
    orb3d scenes {ui, random};
    ASSERT_TRUE(scenes.LoadScenesText(R"(<Scene><SET li="" O="-1,1,-1,1,-1,1"/>
        <LINESSTRIP><V C="0,0"/><V C="0.5,1"/><V C="1.5,0"/></LINESSTRIP></Scene>)"));
    TrackingGl gl;
    ASSERT_TRUE(scenes.DrawScene(gl));
    EXPECT_EQ(gl.vertices, 3);
    EXPECT_EQ(gl.inside, 2);
    EXPECT_EQ(gl.pushes, gl.pops + 1);

    ASSERT_TRUE(scenes.LoadScenesText(R"(<Scene t3d=""><SET li="" P="40,1,1,10" T="0,0,-5" R1="90,0,1"/>
        <POINTS><P C="0,0,0"/><P C="0,0,4.5"/><P C="0,0,-4.5"/></POINTS><RESTORE/></Scene>)"));
    TrackingGl turned;
    ASSERT_TRUE(scenes.DrawScene(turned));
    // Turned a quarter about y, the points on the z axis lie across the view: only the centre
    // one is inside.
    EXPECT_EQ(turned.vertices, 3);
    EXPECT_EQ(turned.inside, 1);
    EXPECT_EQ(turned.pushes, turned.pops);
    EXPECT_EQ(turned.misordered, 0);
}

} // namespace
} // namespace pw

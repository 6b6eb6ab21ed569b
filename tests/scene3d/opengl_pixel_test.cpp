// The real OpenGL path: scenes drawn offscreen (through Qt on the X server, and through EGL's
// surfaceless platform) and their pictures checked pixel by pixel. A context that cannot be
// created fails the case: the machines the tests run on always have Mesa and an X server.

#include "platform/error.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "scene3d/offscreen_scene.h"
#include "scene3d/orb3d.h"

#include <gtest/gtest.h>

#include <QColor>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

namespace pw {
namespace {

// Not square, so that a width taken for a height shows.
constexpr int Width = 120;
constexpr int Height = 80;
// Scene units are pixels, the origin at the bottom left.
const std::string Pixels = R"(<SET li="" O="0,120,0,80,-1,1"/>)";

const char *const Background = "#336699"; // 0.2, 0.4, 0.6
const char *const Red = "#ff0000";
const char *const Green = "#00ff00";
const char *const White = "#ffffff";
const char *const Black = "#000000";

using Factory = std::unique_ptr<OffscreenScene> (*)(int, int);

struct Surface
{
    const char *name;
    Factory create;
};

void PrintTo(const Surface &surface, std::ostream *out)
{
    *out << surface.name;
}

// Pixels are compared exactly: Mesa's software rasterizer also where EGL could reach a GPU, as the X
// server of xvfb-run always has it.
std::unique_ptr<OffscreenScene> SoftwareEglOffscreenScene(int width, int height)
{
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    return CreateEglOffscreenScene(width, height);
}

class OffscreenPixelTest : public ::testing::TestWithParam<Surface>
{
protected:
    // The scene attached to a fresh surface and drawn frames times; the picture of the last frame.
    QImage render(const std::string &scene, int frames = 1)
    {
        std::unique_ptr<OffscreenScene> surface;
        try {
            surface = GetParam().create(Width, Height);
        } catch (const Error &e) {
            ADD_FAILURE() << "no " << GetParam().name << " surface: " << e.what();
            return {};
        }
        EXPECT_TRUE(scenes.LoadScenesText(scene));
        scenes.ResizeView(Width, Height);
        scenes.AttachWindow(surface->gl(), Width, Height);
        for (int i = 0; i < frames; ++i)
            EXPECT_TRUE(scenes.DrawScene(surface->gl()));
        for (const RecordingUi::Message &message : ui.messages)
            ADD_FAILURE() << message.text;
        const QImage image = surface->image();
        EXPECT_EQ(image.size(), QSize(Width, Height)) << surface->description();
        return image;
    }

    RecordingUi ui;
    StdRandom random {1};
    orb3d scenes {ui, random};
};

// The colour at a point in scene pixels, counted from the bottom left as OpenGL counts them.
std::string at(const QImage &image, int x, int y)
{
    if (image.isNull())
        return "no picture";
    return QColor(image.pixel(x, image.height() - 1 - y)).name().toStdString();
}

TEST_P(OffscreenPixelTest, TheBackgroundColourFillsTheWholeFrame)
{
    const QImage image = render(R"(<Scene color="0.2,0.4,0.6"/>)");
    for (const auto &[x, y] :
         {std::pair {0, 0}, {Width - 1, 0}, {0, Height - 1}, {Width - 1, Height - 1}, {60, 40}})
        EXPECT_EQ(at(image, x, y), Background) << x << ", " << y;
}

TEST_P(OffscreenPixelTest, FilledShapesLandWhereTheOrthographicBoxPutsThem)
{
    const QImage image = render(R"(<Scene color="0.2,0.4,0.6">)" + Pixels
                                + R"(<QUAD color="1,0,0" C1="10,10" C2="40,10" C3="40,30" C4="10,30"/>
                                     <TRIANGLE color="0,1,0" C1="80,50" C2="110,50" C3="80,70"/><RESTORE/></Scene>)");
    // The quad covers the pixels 10…39 by 10…29, low in the picture.
    EXPECT_EQ(at(image, 10, 10), Red);
    EXPECT_EQ(at(image, 39, 29), Red);
    EXPECT_EQ(at(image, 9, 10), Background);
    EXPECT_EQ(at(image, 40, 20), Background);
    EXPECT_EQ(at(image, 20, 30), Background);
    EXPECT_EQ(at(image, 20, 9), Background);
    // The triangle's right angle is at the bottom left of its box, its hypotenuse beyond.
    EXPECT_EQ(at(image, 81, 51), Green);
    EXPECT_EQ(at(image, 108, 68), Background);
    EXPECT_EQ(at(image, 20, 60), Background);
}

TEST_P(OffscreenPixelTest, ACallDrawsANamedSquareMovedByItsOffsetOnly)
{
    const QImage image = render(R"(<Scene color="0.2,0.4,0.6">)" + Pixels
                                + R"(<SQUARE name="sq" C="20,20" size="10" color="0,1,0"/>
                                     <CALL l="sq" C="70,30,0"/><RESTORE/></Scene>)");
    // 90, 50 with sides of 10: the pixels 85…94 by 45…54.
    EXPECT_EQ(at(image, 85, 45), Green);
    EXPECT_EQ(at(image, 94, 54), Green);
    EXPECT_EQ(at(image, 95, 50), Background);
    EXPECT_EQ(at(image, 90, 44), Background);
    // The named square is not drawn where it stands.
    EXPECT_EQ(at(image, 20, 20), Background);
}

TEST_P(OffscreenPixelTest, TheScissorBoxClipsWhatIsDrawnAfterIt)
{
    const QImage image = render(R"(<Scene color="0.2,0.4,0.6">)" + Pixels
                                + R"(<SCISSOR_TEST xfrom="30" yfrom="10" xto="50" yto="40"/>
                                     <QUAD color="1,0,0" C1="0,0" C2="120,0" C3="120,80" C4="0,80"/><RESTORE/></Scene>)");
    // The box is 50 x 40 pixels from 30, 10.
    EXPECT_EQ(at(image, 30, 10), Red);
    EXPECT_EQ(at(image, 79, 49), Red);
    EXPECT_EQ(at(image, 29, 30), Background);
    EXPECT_EQ(at(image, 80, 30), Background);
    EXPECT_EQ(at(image, 50, 9), Background);
    EXPECT_EQ(at(image, 50, 50), Background);
}

// A moving square: each drawing goes 40 pixels to the right.
const std::string Moving = R"(<DEF name="x" val="-10"/><CALC name="x" val="x+40"/>)" + Pixels
    + R"(<SQUARE C="x,40" size="10"/><RESTORE/></Scene>)";

TEST_P(OffscreenPixelTest, AFrameWithoutBackgroundKeepsTheDrawingBeforeIt)
{
    const QImage image = render("<Scene>" + Moving, 2);
    // Both squares, 30 and 70, in white on the black of a fresh surface.
    EXPECT_EQ(at(image, 30, 40), White);
    EXPECT_EQ(at(image, 70, 40), White);
    EXPECT_EQ(at(image, 50, 40), Black);
    EXPECT_EQ(at(image, 110, 40), Black);
}

TEST_P(OffscreenPixelTest, AFrameWithBackgroundShowsOnlyItsOwnDrawing)
{
    const QImage image = render(R"(<Scene color="0.2,0.4,0.6">)" + Moving, 2);
    EXPECT_EQ(at(image, 30, 40), Background);
    EXPECT_EQ(at(image, 70, 40), White);
}

TEST_P(OffscreenPixelTest, PolygonsInLineModeDrawOnlyTheirOutline)
{
    // The edges go through pixel centres, so exactly those rows and columns are lit.
    const QImage image = render(R"(<Scene color="0.2,0.4,0.6">)" + Pixels
                                + R"(<QUAD polymodehow="line" polymodewhat="frontandback" color="1,0,0"
                                           C1="20.5,10.5" C2="100.5,10.5" C3="100.5,70.5" C4="20.5,70.5"/>
                                     <RESTORE/></Scene>)");
    EXPECT_EQ(at(image, 60, 10), Red);
    EXPECT_EQ(at(image, 60, 70), Red);
    EXPECT_EQ(at(image, 20, 40), Red);
    EXPECT_EQ(at(image, 100, 40), Red);
    EXPECT_EQ(at(image, 60, 40), Background);
    EXPECT_EQ(at(image, 60, 11), Background);
    EXPECT_EQ(at(image, 21, 40), Background);
}

TEST_P(OffscreenPixelTest, TheContextHasFixedFunctionOpenGl)
{
    try {
        const std::unique_ptr<OffscreenScene> surface = GetParam().create(Width, Height);
        RecordProperty("renderer", surface->description());
        EXPECT_NE(surface->description().find("Compatibility"), std::string::npos) << surface->description();
        EXPECT_EQ(surface->width(), Width);
        EXPECT_EQ(surface->height(), Height);
    } catch (const Error &e) {
        FAIL() << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Surfaces, OffscreenPixelTest,
                         ::testing::Values(Surface {"Qt", CreateQtOffscreenScene},
                                           Surface {"Egl", SoftwareEglOffscreenScene}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(OffscreenSceneTest, ImpossibleSizesAreRefused)
{
    EXPECT_THROW(CreateOffscreenScene(0, 10), Error);
    EXPECT_THROW(CreateOffscreenScene(10, MaxOffscreenSide + 1), Error);
}

} // namespace
} // namespace pw

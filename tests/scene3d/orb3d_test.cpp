#include "scene3d/orb3d.h"

#include "platform/random.h"
#include "platform/recording_ui.h"
#include "scene3d/recording_gl.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using Calls = std::vector<std::string>;

class Orb3dTest : public ::testing::Test
{
protected:
    RecordingUi ui;
    StdRandom random {3};
    orb3d scenes {ui, random};

    // The calls of one drawing of the loaded scenes.
    Calls draw()
    {
        RecordingGl gl;
        scenes.DrawScene(gl);
        return gl.calls;
    }
    Calls drawScene(const std::string &children, const std::string &sceneAttrs = {})
    {
        EXPECT_TRUE(scenes.LoadScenesText("<Scene " + sceneAttrs + ">" + children + "</Scene>"));
        return draw();
    }
};

// Frame preparation and the point size every drawing starts with.
const Calls Start {"viewport 0 0 0 0", "pointsize 3"};

Calls started(Calls calls)
{
    calls.insert(calls.begin(), Start.begin(), Start.end());
    return calls;
}

TEST_F(Orb3dTest, ATriangleRepeatedUnderItsTranslationDrawsCopiesAtOneTwoThree)
{
    const Calls triangle {"begin triangles", "vertex 0 0", "vertex 1 0", "vertex 0 1", "end"};
    Calls expected {"push"};
    for (int i = 0; i < 3; ++i) {
        expected.push_back("translate 1 0 0");
        expected.insert(expected.end(), triangle.begin(), triangle.end());
    }
    expected.push_back("pop");
    EXPECT_EQ(drawScene(R"(<TRIANGLE count="3" T="1,0,0" C1="0,0" C2="1,0" C3="0,1"/>)"), started(expected));
}

TEST_F(Orb3dTest, CountsAreTruncatedAndNothingIsDrawnForZero)
{
    const Calls twice = drawScene(R"(<QUAD count="2.9" C1="0,0" C2="1,0" C3="1,1" C4="0,1"/>)");
    EXPECT_EQ(std::count(twice.begin(), twice.end(), "begin quads"), 2);
    EXPECT_EQ(drawScene(R"(<QUAD count="0" C1="0,0"/>)"), started({"push", "pop"}));
}

TEST_F(Orb3dTest, SetShiftsUntilRestoreAndPersistsWithoutIt)
{
    const Calls calls = drawScene(R"(<SET li="" T="1,0,0"/><POINT C="0,0"/><RESTORE/><POINT C="5,0"/>)");
    EXPECT_EQ(calls,
              started({"push", "loadidentity", "translate 1 0 0", "push", "begin points", "vertex 0 0", "end",
                       "pop", "pop", "push", "begin points", "vertex 5 0", "end", "pop"}));

    // Without a RESTORE the matrix stays pushed into the next drawing, one level each time.
    drawScene(R"(<SET T="1,0,0"/>)");
    EXPECT_EQ(draw(), started({"push", "translate 1 0 0"}));
}

TEST_F(Orb3dTest, SetMatrixPushesStopAtTheStackDepth)
{
    ASSERT_TRUE(scenes.LoadScenesText(R"(<Scene><SET/><RESET/><RESET/></Scene>)"));
    EXPECT_EQ(draw(), started({"push", "pop"})); // the second RESET has nothing to pop
    ASSERT_TRUE(scenes.LoadScenesText(R"(<Scene><SET/></Scene>)"));
    int pushes = 0;
    for (int i = 0; i < 40; ++i)
        for (const std::string &call : draw())
            pushes += call == "push";
    EXPECT_EQ(pushes, SceneMatrixStack::MaxDepth);
}

// Attaching a scene anew (a switch of views) is a fresh context: the matrices a SET left pushed
// are popped, the styles go back to OpenGL's defaults, and the new size is cleared to the
// scene's background.
TEST_F(Orb3dTest, AttachingStartsFromAFreshStateOfTheNewSize)
{
    ASSERT_TRUE(scenes.LoadScenesText(R"(<Scene color="0,0,0.5"><SET T="1,0,0" size="9"/></Scene>)"));
    draw();
    draw();
    RecordingGl gl;
    scenes.AttachWindow(gl, 640, 480);
    const Calls expected {"matrixmode modelview",
                          "pop",
                          "pop",
                          "loadidentity",
                          "matrixmode projection",
                          "loadidentity",
                          "matrixmode modelview",
                          "shadesmooth",
                          "disable pointsmooth",
                          "disable scissortest",
                          "polygonmode frontandback fill",
                          "linewidth 1",
                          "linestipple 1 65535",
                          "color 1 1 1",
                          "viewport 0 0 640 480",
                          "clearcolor 0 0 0.5 1",
                          "clear"};
    EXPECT_EQ(gl.calls, expected);
    EXPECT_EQ(scenes.Values().Variable("Width"), 640);
    EXPECT_EQ(scenes.Values().Variable("height"), 480);
    // One push again, as on a first drawing.
    const Calls next = draw();
    EXPECT_EQ(std::count(next.begin(), next.end(), "push"), 1);
}

TEST_F(Orb3dTest, CallMovesASquareByItsOffsetButNotATriangle)
{
    const Calls square = drawScene(R"(<SQUARE name="sq" C="0,0" size="2"/><CALL l="sq" C="2,0,0"/>)");
    EXPECT_EQ(square,
              started({"push", "pointsize 2", "push", "begin quads", "vertex 1 -1", "vertex 3 -1",
                       "vertex 3 1", "vertex 1 1", "end", "pop", "pop"}));

    const Calls triangle
        = drawScene(R"(<TRIANGLE name="tr" C1="0,0" C2="1,0" C3="0,1"/><CALL l="tr" C="2,0,0"/>)");
    EXPECT_EQ(triangle,
              started({"push", "push", "begin triangles", "vertex 0 0", "vertex 1 0", "vertex 0 1", "end",
                       "pop", "pop"}));
}

TEST_F(Orb3dTest, CallsOfNothingOrOfThemselvesAreSkipped)
{
    EXPECT_EQ(drawScene(R"(<CALL l="none"/>)"), started({"push", "pop"}));
    // a named CALL of itself runs once through the top-level CALL and stops there
    EXPECT_EQ(drawScene(R"(<CALL name="me" l="me"/><CALL l="me"/>)"),
              started({"push", "push", "pop", "pop"}));
    // two CALLs calling each other: each is entered once
    const Calls loop = drawScene(R"(<CALL name="a" l="b"/><CALL name="b" l="a"/><CALL l="a"/>)");
    EXPECT_EQ(std::count(loop.begin(), loop.end(), "push"), 3);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Orb3dTest, CalcMovesAVertexOnEveryDrawingAndDefDoesNotOverwrite)
{
    ASSERT_TRUE(
        scenes.LoadScenesText(R"(<Scene><DEF name="t" val="5"/><DEF n="t" v="100"/><CALC name="t" val="t+1"/>
        <POINT C="t,0"/></Scene>)"));
    const Calls first = draw();
    EXPECT_NE(std::find(first.begin(), first.end(), "vertex 6 0"), first.end());
    const Calls second = draw();
    EXPECT_NE(std::find(second.begin(), second.end(), "vertex 7 0"), second.end());
    EXPECT_EQ(scenes.Values().Variable("T"), 7);
}

TEST_F(Orb3dTest, ColoursListsAndThreeDimensionalVertices)
{
    const Calls calls
        = drawScene(R"(<POINT color="#000000" T="1,,2" C="MAX(1;2),0,3"/><POINT color="1" C="0"/>)",
                    R"(t3d="" color="0,0,0.5")");
    EXPECT_EQ(calls,
              (Calls {"viewport 0 0 0 0", "clearcolor 0 0 0.5 1", "clear", "pointsize 3", "push",
                      "begin points", "color 1 1 1", "vertex 2 0 3", "end", "pop", "push", "begin points",
                      "color 1 0 0", "vertex 0 0 0", "end", "pop"}));
    // the translation list is read although a POINT does not apply it
    EXPECT_EQ(drawScene(R"(<SET T="1,,2"/>)"), started({"push", "translate 1 2 0"}));
}

TEST_F(Orb3dTest, NamedElementsWaitForACallAndCommentsAreSkipped)
{
    const Calls calls = drawScene(R"(<!-- a note --><TRIANGLE name="x" C1="0,0"/><Overview/>
        <POINTS><!-- c --><P C="1,1"/>text<P C="2,2" color="0,1,0"/></POINTS>)");
    EXPECT_EQ(calls,
              started({"push", "pop", "push", "begin points", "vertex 1 1", "color 0 1 0", "vertex 2 2",
                       "end", "pop"}));
}

TEST_F(Orb3dTest, StylesAndTheRemainingElements)
{
    const Calls calls = drawScene(
        R"(<LINES flat="" smooth="" polymodehow="line" polymodewhat="frontandback" stipplemult="2" stipplemask="255"
                  width="3"><L from="0,0" to="1,1"/></LINES>
           <SPHERE R="30,1,0"/><SCISSOR_TEST xfrom="1" yfrom="2.7" xto="30" yto="40"/>
           <TRIANGLE_FAN subcount="2" C1="0,0" C2="1,0" C3="1,1"/><LINESSTRIP><V C="0,0"/><V C="1,0"/></LINESSTRIP>)");
    EXPECT_EQ(calls,
              started({"shadeflat",
                       "enable pointsmooth",
                       "polygonmode frontandback line",
                       "push",
                       "linestipple 2 255",
                       "linewidth 3",
                       "begin lines",
                       "vertex 0 0",
                       "vertex 1 1",
                       "end",
                       "pop",
                       "push",
                       "sphere 1 15 10",
                       "pop",
                       "push",
                       "enable scissortest",
                       "scissor 1 2 30 40",
                       "pop",
                       "push",
                       "begin trianglefan",
                       "vertex 0 0",
                       "vertex 1 0",
                       "vertex 1 1",
                       "vertex 1 0",
                       "vertex 1 1",
                       "end",
                       "pop",
                       "push",
                       "begin linestrip",
                       "vertex 0 0",
                       "vertex 1 0",
                       "end",
                       "pop"}));
}

TEST_F(Orb3dTest, AFormulaErrorAbandonsTheFrameAndIsReportedOncePerScene)
{
    ASSERT_TRUE(
        scenes.LoadScenesText(R"(<Scenes><Scene><SET/><TRIANGLE C1="0,0"/><POINT C="MAX(1,2),0"/></Scene>
        <Scene><POINT C="(("/></Scene></Scenes>)"));
    EXPECT_EQ(scenes.SceneCount(), 2);
    RecordingGl gl;
    EXPECT_FALSE(scenes.DrawScene(gl));
    EXPECT_FALSE(scenes.DrawScene(gl));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка в сцене: ", 0), 0u);
    // the failing POINT's own matrix is popped; the SET's stays
    EXPECT_EQ(std::count(gl.calls.begin(), gl.calls.end(), "push")
                  - std::count(gl.calls.begin(), gl.calls.end(), "pop"),
              2);
    scenes.SelectScene(1);
    EXPECT_FALSE(scenes.DrawScene(gl));
    EXPECT_FALSE(scenes.DrawScene(gl));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(Orb3dTest, HugeRepetitionsStopTheDrawing)
{
    ASSERT_TRUE(
        scenes.LoadScenesText(R"(<Scene><POINT name="p" count="1000"/><CALL l="p" count="2000"/></Scene>)"));
    RecordingGl gl;
    EXPECT_FALSE(scenes.DrawScene(gl));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Слишком много повторений"), std::string::npos);
    ASSERT_TRUE(
        scenes.LoadScenesText(R"(<Scene><POINT name="p" count="1000"/><CALL l="p" count="999"/></Scene>)"));
    EXPECT_TRUE(scenes.DrawScene(gl));
}

TEST_F(Orb3dTest, ScenesOfASetAreSelectedByIndexAndSizesAreVariables)
{
    ASSERT_TRUE(
        scenes.LoadScenesText(R"(<Lesson><Scenes><Scene><POINT C="0"/></Scene><Scene><POINT C="1"/></Scene>
        <Scene><POINT C="Width,Height"/></Scene></Scenes></Lesson>)"));
    EXPECT_EQ(scenes.SceneCount(), 3);
    EXPECT_EQ(scenes.CurrentScene(), 0);
    scenes.SelectScene(3);
    EXPECT_EQ(scenes.CurrentScene(), 0);
    scenes.SelectScene(2);
    scenes.ResizeView(640, 480);
    const Calls calls = draw();
    EXPECT_EQ(calls.front(), "viewport 0 0 640 480");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "vertex 640 480"), calls.end());
}

TEST_F(Orb3dTest, AFileThatDoesNotLoadIsReportedAndDrawsNothing)
{
    EXPECT_FALSE(scenes.LoadScenesText("<Scene>"));
    EXPECT_FALSE(scenes.LoadScenes("/nonexistent/scene.xml"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Файл не найден");
    EXPECT_EQ(scenes.SceneCount(), 0);
    EXPECT_TRUE(draw().empty());
}

} // namespace
} // namespace pw

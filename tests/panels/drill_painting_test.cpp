#include "drill_fixture.h"

#include "config/localization.h"
#include "panels/drill_painting.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace pw;
using pwtest::DrillRig;
using pwtest::ScriptedRandom;
using Kind = RecordingCanvas::Kind;

namespace {

class DrillPainting : public ::testing::Test
{
protected:
    void setUp(DrillRig &rig, int type)
    {
        DrillSettings s;
        s.type = type;
        s.keyboardLeft = 300;
        s.keyboardTop = 200;
        s.staffLeft = 300;
        s.staffTop = 0;
        s.staffNotesOffset = 70;
        s.staffNoteWidth = 36;
        s.staffNoteSize = 24;
        rig.drill.SetPictureSizes(504, 250, 574, 190);
        rig.drill.SetUp(s);
    }
    std::unique_ptr<RecordingCanvas> paint(const DrillRig &rig, bool hint = false)
    {
        auto canvas = std::make_unique<RecordingCanvas>();
        PaintDrill(*canvas, rig.drill, {&keyboard, &staff}, texts, hint);
        return canvas;
    }

    Localization localization;
    DrillTexts texts = DrillTextsFrom(localization);
    Bitmap keyboard {"drill-keyboard.jpg", 504, 250};
    Bitmap staff {"drill-staff.jpg", 574, 190};
};

TEST_F(DrillPainting, PicturesMarksAndTheMessageLine)
{
    ScriptedRandom random({2}); // E4
    DrillRig rig(random);
    setUp(rig, 1);
    rig.drill.Continue();
    rig.drill.MidiNote(41 + 21); // D4, wrong
    auto canvas = paint(rig);
    ASSERT_EQ(canvas->bitmaps("drill-keyboard.jpg").size(), 1u);
    EXPECT_EQ(canvas->bitmaps("drill-keyboard.jpg")[0].x1, 300);
    EXPECT_EQ(canvas->bitmaps("drill-staff.jpg")[0].y1, 0);
    // D4 red on the key's body (inset 1) and in its staff column at the picture's foot.
    const auto rects = canvas->of(Kind::Rectangle);
    const auto red = [&](int left, int top) {
        return std::any_of(rects.begin(), rects.end(), [&](const RecordingCanvas::Call &c) {
            return c.x1 == left && c.y1 == top && c.brush == DrillRed;
        });
    };
    EXPECT_TRUE(red(300 + 36 + 1, 200 + 162 + 1));
    EXPECT_TRUE(red(300 + 70 + 36 + 18 - 12, 190 - 2 - 24));
    EXPECT_TRUE(canvas->of(Kind::Text).empty()) << "the neutral message writes nothing";

    rig.drill.MidiNote(43 + 21);
    canvas = paint(rig);
    // Under the keyboard by a quarter of its height, at x 200, bold Times New Roman in green.
    const auto message = canvas->texts(Localization::Default("NoteDrill", "Success"));
    ASSERT_EQ(message.size(), 1u);
    EXPECT_EQ(message[0].x1, DrillMessageX);
    EXPECT_EQ(message[0].y1, 200 + 250 + 62);
    EXPECT_EQ(message[0].font.name, "Times New Roman");
    EXPECT_TRUE(message[0].font.bold);
    EXPECT_EQ(message[0].font.color, DrillGreen);
}

TEST_F(DrillPainting, TheIntervalListAndItsCorrectRow)
{
    ScriptedRandom random({0, 0, 0, 2}); // a minor third
    DrillRig rig(random);
    setUp(rig, 11);
    rig.drill.Continue();
    auto canvas = paint(rig);
    const auto rows = canvas->of(Kind::Text);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0].text, "Секунда малая");
    EXPECT_EQ(rows[11].text, "Октава");
    EXPECT_EQ(rows[5].y1 - rows[4].y1, 50);
    rig.drill.TimeRunsOut();
    canvas = paint(rig);
    const auto third = canvas->texts("Терция малая");
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].font.color, DrillGreen);
    EXPECT_EQ(canvas->texts(Localization::Default("NoteDrill", "TimeOut")).at(0).font.color, DrillRed);
}

TEST_F(DrillPainting, TheHintIsMarkedOnlyWhenItsMomentHasCome)
{
    ScriptedRandom random({0, 0, 0, 4});
    DrillRig rig(random);
    setUp(rig, 13);
    rig.drill.Continue();
    const auto hinted = [](const RecordingCanvas &c) {
        const auto rects = c.of(Kind::Rectangle);
        return std::count_if(rects.begin(), rects.end(),
                             [](const RecordingCanvas::Call &r) { return r.brush == DrillHintColor; });
    };
    EXPECT_EQ(hinted(*paint(rig)), 0);
    EXPECT_EQ(hinted(*paint(rig, true)), 2) << "on the keyboard and on the staff";
}

} // namespace

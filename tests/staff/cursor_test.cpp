#include "staff_fixture.h"

#include "staff/staff_cursor.h"
#include "staff/staff_paint.h"

namespace pw::test {
namespace {

using Kind = RecordingCanvas::Kind;
using CursorTest = StaffTest;

std::string fourVoices()
{
    std::string voices;
    for (int h = 0; h < 4; ++h)
        voices += StaffTest::voice(h, {"40:8", "40:8", "40:8", "40:8", "40:8", "40:8", "40:8", "40:8"});
    return voices;
}

TEST_F(CursorTest, RectanglePerVoice)
{
    load(exercise(part(fourVoices())));
    // y = StaffTop - d' with d' = -96, +5L for tenor and soprano, +between+8L for alto and soprano.
    const int expectedY[4] = {Top + 96, Top + 96 - 50, Top + 96 - 110, Top + 96 - 160};
    for (int v = 0; v < 4; ++v) {
        ex->part(0).CurVoice = v;
        canvas.calls.clear();
        paint();
        const auto rect = canvas.of(Kind::Rectangle);
        ASSERT_EQ(rect.size(), 1u) << "voice " << v;
        // x = left end + indent + STEP_NOTE/4 + 20, on the first row + STEP_NOTE + indent, + 1.5 STEP_NOTE.
        const int x = Indent + 5 + 20 + Note + Indent + 30;
        EXPECT_EQ(std::make_tuple(rect[0].x1, rect[0].y1, rect[0].x2, rect[0].y2),
                  std::make_tuple(x, expectedY[v], x + L, expectedY[v] + 5 * L))
            << "voice " << v;
        EXPECT_EQ(rect[0].brush, parms->VoiceColor[static_cast<std::size_t>(v)]);
        EXPECT_EQ(rect[0].pen, parms->VoiceColor[static_cast<std::size_t>(v)]);
        EXPECT_EQ(canvas.brush(), White);
    }
}

TEST_F(CursorTest, PositionInTheSecondMeasureAndErasing)
{
    load(exercise(part(fourVoices())));
    paint();
    const Tacts &tacts = ex->part(0).Tacts;
    ex->part(0).CurTact = 1;
    ex->part(0).CurPos = 2;
    canvas.calls.clear();
    DrawCursor(*ex, canvas, *parms, false);
    const auto rect = canvas.of(Kind::Rectangle);
    ASSERT_EQ(rect.size(), 1u);
    const int left = tacts.TactX[1] - tacts.TactStep[1] * 4;
    EXPECT_EQ(rect[0].x1, left + Indent + 25 + Note + Indent + 2 * tacts.TactStep[1] + 30);
    EXPECT_EQ(rect[0].brush, White);
    EXPECT_EQ(rect[0].pen, White);
}

TEST_F(CursorTest, GrandStaffCountsFromTheLowestStaff)
{
    load(exercise(part(fourVoices()), "PolyphonyVoices=\"4\""));
    ASSERT_TRUE(ex->HasStaffCount);
    ex->part(0).CurVoice = 1;
    paint();
    const auto rect = canvas.of(Kind::Rectangle);
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0].y1, Top + 2 * (8 * L + Between));
}

TEST_F(CursorTest, BeyondTheLastMeasureStaysOnItsRow)
{
    load(exercise(part(fourVoices())));
    paint();
    const Tacts &tacts = ex->part(0).Tacts;
    ex->part(0).CurTact = 2;
    ex->part(0).CurPos = 0;
    canvas.calls.clear();
    DrawCursor(*ex, canvas, *parms, true);
    const auto rect = canvas.of(Kind::Rectangle);
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0].x1, tacts.TactX[1] + 2 * Note + Indent + 25 + Note + Indent + 30);
    EXPECT_EQ(rect[0].y1, Top + 96);
}

TEST_F(CursorTest, APictureWithoutTheCursor)
{
    load(exercise(part(fourVoices())));
    parms->SetViewport(0, 1000, 0, 800);
    PaintAll(*ex, canvas, *parms, ui, 0, nullptr, EntryCursor::Hidden);
    EXPECT_TRUE(canvas.of(Kind::Rectangle).empty());
    EXPECT_FALSE(canvas.of(Kind::Bitmap).empty()) << "the notes are drawn";
}

TEST_F(CursorTest, NoCursorWithoutAFreeVoice)
{
    load(exercise(part(fourVoices())));
    ex->part(0).CurVoice = -1;
    paint();
    EXPECT_TRUE(canvas.of(Kind::Rectangle).empty());
}

TEST_F(CursorTest, LastInsertedMeasureIsClearedFirst)
{
    load(exercise(part(fourVoices())));
    ex->LastInsertPart = 0;
    ex->LastInsertTact = 1;
    paint();
    const Tacts &tacts = ex->part(0).Tacts;
    ASSERT_FALSE(canvas.calls.empty());
    const auto &clear = canvas.calls.front();
    ASSERT_EQ(clear.kind, Kind::Rectangle);
    EXPECT_EQ(clear.brush, White);
    EXPECT_EQ(clear.pen, White);
    EXPECT_EQ(std::make_tuple(clear.x1, clear.y1, clear.x2, clear.y2),
              std::make_tuple(111 + tacts.TactX[0] - 2 * Note, Top, 990, Top + 2 * L * S + Between));
    EXPECT_EQ(ex->LastInsertTact, -2);
}

TEST_F(CursorTest, MinusThreeClearsTheFirstMeasure)
{
    load(exercise(part(fourVoices())));
    ex->LastInsertPart = 0;
    ex->LastInsertTact = -3;
    paint();
    const auto &clear = canvas.calls.front();
    ASSERT_EQ(clear.kind, Kind::Rectangle);
    EXPECT_EQ(std::make_pair(clear.x1, clear.x2),
              std::make_pair(111 - 2 * Note, 111 + ex->part(0).Tacts.TactX[0] + Note));
    EXPECT_EQ(ex->LastInsertTact, -2);
}

TEST_F(CursorTest, OtherPartsAreNotCleared)
{
    load(exercise(part(fourVoices()) + part(fourVoices())));
    ex->LastInsertPart = 1;
    ex->LastInsertTact = 0;
    paint();
    const auto rects = canvas.of(Kind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].y1, 280 + 7 * L)
        << "the clearing of part 1 on the second system, below the gap before a part";
}

} // namespace
} // namespace pw::test

#include "staff_fixture.h"

#include "platform/error.h"
#include "staff/staff_cursor.h"
#include "staff/staff_layout.h"

namespace pw::test {
namespace {

Tacts measuresOf(const std::vector<NSize> &sizes)
{
    Tacts tacts;
    tacts.SetTactCount(static_cast<int>(sizes.size()));
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        tacts.TactSize[i] = sizes[i];
        tacts.TactX[i] = tacts.TactRow[i] = tacts.TactStep[i] = 0;
        tacts.TactLineEnd[i] = false;
    }
    return tacts;
}

using LayoutTest = StaffTest;

TEST_F(LayoutTest, FourMeasuresTwoPerSystem)
{
    Tacts tacts = measuresOf({{4, 8}, {4, 8}, {4, 8}, {4, 8}});
    // First system: usable 300 - 61 = 239, later ones 300 - 25 = 275.
    EXPECT_EQ(LayoutPart(tacts, *parms, ui, 300, 6, 0, false), 4);
    EXPECT_EQ(tacts.TactRow, (std::vector<int> {6, 6, 8, 8}));
    EXPECT_EQ(tacts.TactLineEnd, (std::vector<bool> {false, true, false, true}));
    EXPECT_EQ(tacts.TactStep, (std::vector<int> {24, 24, 29, 29}));
    EXPECT_EQ(tacts.TactX, (std::vector<int> {96, 212, 116, 252}));
    EXPECT_EQ(tacts.RowCount, 4);
}

TEST_F(LayoutTest, EighthsGetTwiceTheRoomOfQuarters)
{
    Tacts tacts = measuresOf({{8, 16}, {4, 8}});
    EXPECT_EQ(LayoutPart(tacts, *parms, ui, 1000, 0, 0, false), 2);
    const int step = tacts.TactStep[0];
    EXPECT_EQ(step, (939 - 2 * Note) / 12);
    EXPECT_EQ(tacts.TactX[0], 8 * step);
    EXPECT_EQ(tacts.TactX[1] - tacts.TactX[0], 4 * step + Note);
}

TEST_F(LayoutTest, KeySignatureNarrowsTheSystem)
{
    Tacts plain = measuresOf({{4, 8}});
    Tacts sharps = measuresOf({{4, 8}});
    LayoutPart(plain, *parms, ui, 1000, 0, 0, false);
    LayoutPart(sharps, *parms, ui, 1000, 0, -4, false);
    EXPECT_EQ(plain.TactStep[0], (939 - Note) / 4);
    EXPECT_EQ(sharps.TactStep[0], (939 - 4 * Sign - Note) / 4);
}

TEST_F(LayoutTest, ReserveLeavesRoomForOneMoreUnit)
{
    Tacts tacts = measuresOf({{4, 8}});
    LayoutPart(tacts, *parms, ui, 1000, 0, 0, true);
    EXPECT_EQ(tacts.TactStep[0], (939 - Note) / 5);
    EXPECT_TRUE(tacts.TactLineEnd[0]);
}

TEST_F(LayoutTest, MeasureWithoutDurationCountsAsOneUnit)
{
    Tacts tacts = measuresOf({{0, 0}});
    EXPECT_EQ(LayoutPart(tacts, *parms, ui, 1000, 0, 0, false), 2);
    EXPECT_EQ(tacts.TactStep[0], 939 - Note);
    EXPECT_EQ(tacts.TactX[0], 939 - Note);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LayoutTest, NoMeasuresTakeOneSystem)
{
    Tacts tacts;
    EXPECT_EQ(LayoutPart(tacts, *parms, ui, 1000, 0, 0, false), 2);
    EXPECT_EQ(tacts.RowCount, 2);
}

TEST_F(LayoutTest, TooNarrowForOneMeasure)
{
    Tacts tacts = measuresOf({{4, 8}});
    EXPECT_THROW(LayoutPart(tacts, *parms, ui, 80, 0, 0, false), WindowTooSmall);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Слишком маленькое окно");
    EXPECT_EQ(ui.messages[0].text, "!");
}

TEST_F(LayoutTest, TooNarrowWindowEndsTheRepaintEveryTime)
{
    load(exercise(part(voice(3, {"40:8", "40:8", "40:8", "40:8"}))));
    paint(90);
    paint(90);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].caption, "Слишком маленькое окно");
    EXPECT_TRUE(canvas.of(RecordingCanvas::Kind::Rectangle).empty()) << "the cursor was drawn";
    EXPECT_TRUE(canvas.of(RecordingCanvas::Kind::Bitmap).empty());
}

TEST_F(LayoutTest, PartsFollowEachOtherFromTheScrollRow)
{
    const std::string measure = voice(3, {"40:8", "40:8", "40:8", "40:8"});
    load(exercise(part(measure) + part(measure)));
    EXPECT_EQ(paint(1000, 800, 4), 0);
    EXPECT_EQ(ex->part(0).Tacts.TactRow[0], -4);
    EXPECT_EQ(ex->part(1).Tacts.TactRow[0], -2);
}

TEST_F(LayoutTest, CursorScrollRows)
{
    load(exercise(part(voice(3, {"40:8", "40:8", "40:8", "40:8"}))));
    parms->RowsFit = 6;
    Tacts &tacts = ex->part(0).Tacts;
    for (const auto &[row, scroll] : std::vector<std::pair<int, int>> {{8, 4}, {4, 0}, {-2, -2}, {6, 2}}) {
        tacts.TactRow[0] = row;
        EXPECT_EQ(CursorScrollRows(*ex, *parms), scroll) << "cursor on row " << row;
    }
}

TEST_F(LayoutTest, CursorScrollRowsKeepsTheGapsBeforePartsInView)
{
    const std::string measure = voice(3, {"40:8", "40:8", "40:8", "40:8"});
    load(exercise(part(measure) + part(measure) + part(measure)));
    ex->CurPart = 2;
    // Three systems of 230 fit 690 pixels, but not with the two gaps of 7 L before parts 1 and 2.
    paint(1000, 690);
    ASSERT_EQ(parms->RowsFit, 6);
    ASSERT_EQ(ex->part(2).Tacts.TactRow[0], 4);
    EXPECT_EQ(CursorScrollRows(*ex, *parms), 2);
    paint(1000, 690 + 2 * 7 * L);
    EXPECT_EQ(CursorScrollRows(*ex, *parms), 0);
}

} // namespace
} // namespace pw::test

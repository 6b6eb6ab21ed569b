#include "panels/drill_geometry.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

TEST(DrillGeometry, PicturesArePlacedByPixelsPercentagesOrCentred)
{
    EXPECT_EQ(PicturePosition(-1, 1000, 504), 248);
    EXPECT_EQ(PicturePosition(-45, 600, 250), 270);
    EXPECT_EQ(PicturePosition(0, 600, 250), 0);
    EXPECT_EQ(PicturePosition(30, 600, 250), 30);
}

TEST(DrillGeometry, KeyboardKeysFromC4WithBlackKeysOnTop)
{
    // 504 wide: octaves of 252, white keys of 36, units of 3; black keys down to 162.
    const KeyboardGeometry g(504, 250, 2);
    EXPECT_EQ(g.KeyAt(0, 200), 39); // C4
    EXPECT_EQ(g.KeyAt(35, 200), 39);
    EXPECT_EQ(g.KeyAt(36, 200), 41); // D4
    EXPECT_EQ(g.KeyAt(251, 200), 50); // B4
    EXPECT_EQ(g.KeyAt(252, 200), 51); // C5
    EXPECT_EQ(g.KeyAt(503, 249), 62); // B5
    // Black keys take their units in the upper zone: C# 21 … 44, F# 120 … 143, A# in octave 2.
    EXPECT_EQ(g.KeyAt(21, 0), 40);
    EXPECT_EQ(g.KeyAt(44, 161), 40);
    EXPECT_EQ(g.KeyAt(44, 162), 41) << "below the black keys it is the white one";
    EXPECT_EQ(g.KeyAt(20, 10), 39);
    EXPECT_EQ(g.KeyAt(45, 10), 41);
    EXPECT_EQ(g.KeyAt(120, 10), 45);
    EXPECT_EQ(g.KeyAt(252 + 186, 10), 49 + 12);
    EXPECT_EQ(g.KeyAt(-1, 10), std::nullopt);
    EXPECT_EQ(g.KeyAt(504, 10), std::nullopt);

    // An octave wider than its seven white keys: the rest takes no clicks.
    const KeyboardGeometry wide(510, 250, 2);
    EXPECT_EQ(wide.KeyAt(253, 200), std::nullopt);
    EXPECT_EQ(wide.KeyAt(255, 200), 51);
}

TEST(DrillGeometry, KeyRectanglesCoverTheKeyHit)
{
    const KeyboardGeometry g(504, 250, 2);
    for (int key = 39; key <= 62; ++key) {
        const std::optional<PixelRect> rect = g.KeyRect(key, 1);
        ASSERT_TRUE(rect) << key;
        EXPECT_EQ(g.KeyAt(rect->left + rect->width / 2, rect->top + rect->height / 2), key);
    }
    EXPECT_EQ(g.KeyRect(38, 1), std::nullopt);
    EXPECT_EQ(g.KeyRect(63, 1), std::nullopt);
}

TEST(DrillGeometry, StaffColumnsStandForWhiteKeysInTheFirstVariantAndChromaticKeysOtherwise)
{
    DrillSettings s;
    s.staffNotesOffset = 70;
    s.staffNoteWidth = 36;
    s.staffNoteSize = 24;
    const StaffGeometry white(s, 574, 190);
    EXPECT_EQ(white.ColumnAt(70), 0);
    EXPECT_EQ(white.ColumnAt(52), 0) << "half a column before the first counts as the first";
    EXPECT_EQ(white.ColumnAt(51), std::nullopt);
    EXPECT_EQ(white.ColumnAt(106), 1);
    EXPECT_EQ(white.KeyOfColumn(0), 39);
    EXPECT_EQ(white.KeyOfColumn(6), 50);
    EXPECT_EQ(white.KeyOfColumn(7), 51);
    EXPECT_EQ(white.KeyOfColumn(13), 62);
    for (int column = 0; column < 14; ++column)
        EXPECT_EQ(white.ColumnOfKey(white.KeyOfColumn(column)), column);
    EXPECT_EQ(white.ColumnOfKey(40), std::nullopt) << "no sharps on the white-key staff";
    const std::optional<PixelRect> mark = white.KeyRect(43);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->left, 70 + 2 * 36 + 18 - 12);
    EXPECT_EQ(mark->bottom(), 188);

    s.type = 2;
    const StaffGeometry chromatic(s, 574, 190);
    EXPECT_EQ(chromatic.KeyOfColumn(1), 40);
    EXPECT_EQ(chromatic.ColumnOfKey(45), 6);
}

} // namespace

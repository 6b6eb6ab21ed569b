// The note drill finds the note under a click on its pictures by fixed numbers, not by looking at
// the pixels: these cases read the pictures drill_art drew beside the programs and check that keys,
// lines and heads lie exactly where those numbers say.

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::filesystem::path kHtml = std::filesystem::path(PARTWRITER_PROGRAM_DIR) / "html";

QImage picture(const char *name)
{
    return QImage(QString::fromStdString((kHtml / name).string()), "JPG");
}

bool dark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 96;
}

bool light(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) > 200;
}

std::string at(int x, int y)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// The keyboard as the drill reads it: two octaves from C4, 252 pixels each, white keys 36 wide,
// black keys placed in units of 3 pixels and reaching down to row 162.
constexpr int OctaveWidth = 252;
constexpr int WhiteWidth = 36;
constexpr int Unit = 3;
constexpr int BlackBottom = 162;
// C#, D#, F#, G#, A#: the units each covers, both ends included.
constexpr std::array<std::array<int, 2>, 5> BlackUnits {{{7, 14}, {17, 24}, {40, 47}, {51, 58}, {62, 69}}};

// Which black key of the octave holds x (from the octave's left edge), or -1; edge is set when x
// lies within a pixel of a key's side, where the picture's compression may blur it.
int blackKeyAt(int x, bool &edge)
{
    edge = false;
    for (std::size_t k = 0; k < BlackUnits.size(); ++k) {
        const int left = BlackUnits[k][0] * Unit, right = (BlackUnits[k][1] + 1) * Unit;
        if (std::abs(x - left) <= 1 || std::abs(x - right) <= 1)
            edge = true;
        if (x >= left && x < right)
            return static_cast<int>(k);
    }
    return -1;
}

// The staff as the drill reads it: lines 10 apart from row 50, columns 36 wide from x = 70 with
// C4 … B5 in them, E4 (column 2) on the bottom line, each step 5 pixels; marks below row 158.
constexpr int TopLine = 50;
constexpr int BottomLine = 90;
constexpr int FirstColumn = 70;
constexpr int ColumnWidth = 36;
constexpr int Columns = 14;
constexpr int MarkBand = 158;

int headY(int column)
{
    return BottomLine - (column - 2) * 5;
}

bool nearStaffLine(int y)
{
    return y >= TopLine - 1 && y <= BottomLine + 1 && ((y + 1) % 10 <= 2);
}

} // namespace

TEST(DrillPictures, KeyboardKeysLieWhereTheDrillHitTests)
{
    const QImage keys = picture("drill-keyboard.jpg");
    ASSERT_FALSE(keys.isNull()) << kHtml / "drill-keyboard.jpg";
    ASSERT_EQ(keys.size(), QSize(504, 250));
    for (int octave = 0; octave < 2; ++octave) {
        const int left = octave * OctaveWidth;
        for (const auto &[first, last] : BlackUnits) {
            const int middle = left + (first + last + 1) * Unit / 2;
            for (const int y : {2, 81, BlackBottom - 2})
                EXPECT_TRUE(dark(keys, middle, y)) << "black key middle " << at(middle, y);
            EXPECT_TRUE(light(keys, middle, BlackBottom + 2)) << "below a black key " << at(middle, 164);
        }
        for (int k = 0; k < 7; ++k) {
            const int middle = left + k * WhiteWidth + WhiteWidth / 2;
            EXPECT_TRUE(light(keys, middle, 206)) << "white key middle " << at(middle, 206);
        }
        // Every column of the rows above BlackBottom: dark on a black key, light elsewhere, but for
        // the separating lines between white keys and a pixel at each side of a black key.
        for (int x = 1; x < OctaveWidth - 1; ++x) {
            bool edge = false;
            const bool black = blackKeyAt(x, edge) >= 0;
            const bool nearSeparator = x % WhiteWidth <= 1 || x % WhiteWidth == WhiteWidth - 1;
            if (edge || (nearSeparator && !black))
                continue;
            for (const int y : {20, 120}) {
                if (black)
                    EXPECT_TRUE(dark(keys, left + x, y)) << "black key " << at(left + x, y);
                else
                    EXPECT_TRUE(light(keys, left + x, y)) << "white key " << at(left + x, y);
            }
        }
    }
}

TEST(DrillPictures, StaffHeadsSitInTheirColumnsAtTheirSteps)
{
    const QImage staff = picture("drill-staff.jpg");
    ASSERT_FALSE(staff.isNull()) << kHtml / "drill-staff.jpg";
    ASSERT_EQ(staff.size(), QSize(574, 190));
    for (int c = 0; c < Columns; ++c) {
        const int left = FirstColumn + c * ColumnWidth;
        const int centre = left + ColumnWidth / 2;
        const int y = headY(c);
        // A head about 14 x 10: its sides three rows above and below its centre, in the middle of
        // the column (x = centre lies between the pixels centre - 1 and centre); nothing of it
        // eight rows away, where the neighbouring step's head would reach.
        for (const int row : {y - 3, y + 3}) {
            int first = -1, last = -1;
            for (int x = left + 2; x < left + ColumnWidth - 1; ++x) {
                if (dark(staff, x, row)) {
                    first = first < 0 ? x : first;
                    last = x;
                }
            }
            ASSERT_GE(first, 0) << "column " << c << ": no head at row " << row;
            EXPECT_GE(last - first, 8) << "column " << c << ": the head is narrow at row " << row;
            EXPECT_LE(last - first, 18) << "column " << c << ": ink beside the head at row " << row;
            EXPECT_NEAR((first + last + 1) / 2.0, centre, 1.5) << "column " << c << ", row " << row;
        }
        for (const int row : {y - 8, y + 8}) {
            for (int x = centre - 9; x <= centre + 9; ++x)
                EXPECT_FALSE(dark(staff, x, row)) << "column " << c << ": ink off the head " << at(x, row);
        }
    }
}

TEST(DrillPictures, StaffLinesClefAndMarkBandLeaveTheColumnsToTheDrill)
{
    const QImage staff = picture("drill-staff.jpg");
    ASSERT_FALSE(staff.isNull()) << kHtml / "drill-staff.jpg";
    ASSERT_EQ(staff.size(), QSize(574, 190));
    for (int c = 0; c < Columns; ++c) {
        const int x = FirstColumn + c * ColumnWidth + 4;
        for (int y = TopLine; y <= BottomLine; y += 5) {
            if (y % 10 == 0)
                EXPECT_TRUE(dark(staff, x, y)) << "staff line " << at(x, y);
            else
                EXPECT_TRUE(light(staff, x, y)) << "between staff lines " << at(x, y);
        }
    }
    // The clef stays left of x = 62, and is there.
    bool clef = false;
    for (int y = 0; y < MarkBand; ++y) {
        if (nearStaffLine(y))
            continue;
        for (int x = 0; x < 62; ++x)
            clef = clef || dark(staff, x, y);
        for (int x = 62; x < FirstColumn; ++x)
            EXPECT_FALSE(dark(staff, x, y)) << "clef reaches " << at(x, y);
    }
    EXPECT_TRUE(clef);
    // The drill marks answers in the band below.
    for (int y = MarkBand; y < staff.height(); ++y) {
        for (int x = 0; x < staff.width(); ++x) {
            ASSERT_GT(qGray(staff.pixel(x, y)), 235) << "the mark band is not blank at " << at(x, y);
        }
    }
}

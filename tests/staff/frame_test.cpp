#include "staff_fixture.h"

#include "staff/staff_frame.h"

namespace pw::test {
namespace {

using Kind = RecordingCanvas::Kind;
using FrameTest = StaffTest;

TEST(KeyNameTest, LettersSuffixesAndModes)
{
    const struct
    {
        int type, val;
        const char *name;
    } cases[] = {
        {1, 0, "C dur"},        {0, 0, "A moll"},       {1, 1, "F dur"},  {0, -1, "E moll"},
        {1, 3, "E  bemol dur"}, {0, 2, "G moll"},       {1, -3, "A dur"}, {0, -4, "C  diez moll"},
        {1, -6, "F  diez dur"}, {1, 6, "G  bemol dur"}, {1, 2, "B dur"},  {0, 5, "B moll"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(KeyName({c.type, c.val}), c.name) << "type " << c.type << " val " << c.val;
}

TEST(KeyNameTest, EnglishNamesTheKeysAsEnglishMusiciansDo)
{
    const struct
    {
        int type, val;
        const char *name;
    } cases[] = {
        {1, 0, "C major"},        {0, 0, "A minor"},        {1, 1, "F major"},  {1, 2, "B\u266D major"},
        {1, 3, "E\u266D major"},  {0, -4, "C\u266F minor"}, {1, -5, "B major"}, {0, 5, "B\u266D minor"},
        {1, -6, "F\u266F major"}, {1, 6, "G\u266D major"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(KeyName({c.type, c.val}, true), c.name) << "type " << c.type << " val " << c.val;
}

TEST_F(FrameTest, TheKeyNameFollowsTheLanguageOfTheLabels)
{
    parms->Definitor().SetLanguage("English");
    load(exercise(part(voice(0, {"12:2"}), "Key0=\"4\" Key1=\"1\"", 0, 0)));
    paint();
    EXPECT_EQ(canvas.texts("A minor").size(), 1u);
    EXPECT_TRUE(canvas.texts("A moll").empty());
}

TEST_F(FrameTest, TwoSharpsOnTrebleAndBassStaves)
{
    load(exercise(part(voice(0, {"12:2"}), "Key0=\"4\" Key1=\"1\"", 1, -2)));
    paint();
    const auto sharps = bitmapsNamed("sharp.bmp");
    ASSERT_EQ(sharps.size(), 4u);
    // y = StaffTop + 3L + 2 - step * L / 2 + 2; treble steps 10 and 7, bass 8 and 5.
    const int x = FreeLeft + Indent + Note / 4 + 20;
    EXPECT_EQ(std::make_pair(sharps[0].x1, sharps[0].y1), std::make_pair(x, Top + 34 - 50));
    EXPECT_EQ(std::make_pair(sharps[1].x1, sharps[1].y1), std::make_pair(x + Sign, Top + 34 - 35));
    EXPECT_EQ(std::make_pair(sharps[2].x1, sharps[2].y1), std::make_pair(x, 150 + 34 - 40));
    EXPECT_EQ(std::make_pair(sharps[3].x1, sharps[3].y1), std::make_pair(x + Sign, 150 + 34 - 25));
    EXPECT_TRUE(sharps[0].transparent);
}

TEST_F(FrameTest, OneFlatOnTrebleAndBassStaves)
{
    load(exercise(part(voice(0, {"12:2"}), "Key0=\"4\" Key1=\"1\"", 1, 1)));
    paint();
    const auto flats = bitmapsNamed("flat.bmp");
    ASSERT_EQ(flats.size(), 2u);
    EXPECT_EQ(flats[0].y1, Top + 30 - 25 + 2); // step 5, B flat on the middle line
    EXPECT_EQ(flats[1].y1, 150 + 30 - 15 + 2); // step 3
}

TEST_F(FrameTest, HeaderOfTheFirstSystem)
{
    load(exercise(part(voice(0, {"12:2"}), "Key0=\"4\" Key1=\"1\"", 0, -1, "<Size chi=\"3\" zna=\"8\"/>")));
    paint();
    const int x0 = FreeLeft + Indent;
    const auto up = bitmapsNamed("brace_up.bmp");
    const auto down = bitmapsNamed("brace_down.bmp");
    ASSERT_EQ(up.size(), 1u);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(std::make_tuple(up[0].x1, up[0].y1, up[0].transparent),
              std::make_tuple(10 + Indent, Top - 3, false));
    EXPECT_EQ(down[0].y1, Top - 3 + 40 - 1);

    const auto treble = bitmapsNamed("key_treble.bmp");
    const auto bass = bitmapsNamed("key_bass.bmp");
    ASSERT_EQ(treble.size(), 1u);
    ASSERT_EQ(bass.size(), 1u);
    EXPECT_EQ(std::make_pair(treble[0].x1, treble[0].y1), std::make_pair(x0 + 5, Top - 25 - 3 + 5));
    EXPECT_EQ(std::make_pair(bass[0].x1, bass[0].y1), std::make_pair(x0 + 5, 150 - 25 - 3 + 10));

    const auto name = canvas.texts("E moll");
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(std::make_pair(name[0].x1, name[0].y1), std::make_pair(15, Top - 28));
    EXPECT_EQ(name[0].font.color, parms->ColorTonality);
    EXPECT_TRUE(name[0].font.bold && name[0].font.underline);
    EXPECT_EQ(name[0].font.size, 10);

    // The time signature on both staves, 2 STEP_SIGN after the key signature.
    const auto upper = canvas.texts("3");
    const auto lower = canvas.texts("4");
    ASSERT_EQ(upper.size(), 2u);
    ASSERT_EQ(lower.size(), 2u);
    const int tx = x0 + 5 + 20 + Sign + 2 * Sign;
    EXPECT_EQ(std::make_pair(upper[0].x1, upper[0].y1), std::make_pair(tx, Top + 2));
    EXPECT_EQ(std::make_pair(lower[1].x1, lower[1].y1), std::make_pair(tx, 150 + 2 + 14));
    EXPECT_EQ(upper[0].font, (CanvasFont {"Times New Roman", 12, true, false, parms->ColorSize}));
}

TEST_F(FrameTest, StaffLinesAndBarLines)
{
    load(exercise(part(voice(3, {"40:8", "40:8", "40:8", "40:8", "40:8", "40:8", "40:8", "40:8"}))));
    paint();
    std::vector<RecordingCanvas::Call> staff, bars;
    for (const auto &call : canvas.of(Kind::Line)) {
        if (call.y1 == call.y2 && call.x2 == 990)
            staff.push_back(call);
        if (call.x1 == call.x2)
            bars.push_back(call);
    }
    ASSERT_EQ(staff.size(), 10u);
    EXPECT_EQ(staff[0].x1, FreeLeft + Indent);
    EXPECT_EQ(staff[4].y1, Top + 4 * L);
    EXPECT_EQ(staff[5].y1, 150);
    EXPECT_EQ(staff[0].pen, parms->ColorLine);
    // Left edge, the bar between the measures, and the final double bar: 1 + 3 pixels.
    ASSERT_EQ(bars.size(), 6u);
    const int origin = FreeLeft + Indent + Note / 4 + 20 + Note + Note;
    EXPECT_EQ(bars[0].x1, FreeLeft + Indent);
    EXPECT_EQ(bars[1].x1, origin + ex->part(0).Tacts.TactX[0]);
    EXPECT_EQ(bars[2].x1, 990 - 3);
    EXPECT_EQ(bars[3].x1, 990);
    EXPECT_EQ(bars[5].x1, 992);
    EXPECT_EQ(std::make_pair(bars[1].y1, bars[1].y2), std::make_pair(Top, 150 + 4 * L + 1));
}

TEST_F(FrameTest, LaterSystemsHaveNoIndentNameOrTimeSignature)
{
    std::vector<std::string> notes(4 * 8, "40:8");
    load(exercise(part(voice(3, notes))));
    paint(400);
    ASSERT_GT(ex->part(0).Tacts.RowCount, 2);
    const auto braces = bitmapsNamed("brace_up.bmp");
    ASSERT_GE(braces.size(), 2u);
    EXPECT_EQ(braces[1].x1, 10);
    EXPECT_EQ(braces[1].y1, 280 - 3);
    EXPECT_EQ(canvas.texts("C dur").size(), 1u);
    const auto digits = canvas.texts("4");
    EXPECT_EQ(digits.size(), 4u);
    for (const auto &digit : digits)
        EXPECT_LT(digit.y1, 280) << "a time signature on a later system";
}

// A system with the room under it is 2 * 10 * L + Between = 230 high; a new part adds 7 L.
constexpr int System = 230, Gap = 7 * L;

std::vector<RecordingCanvas::Call> separators(const RecordingCanvas &canvas)
{
    std::vector<RecordingCanvas::Call> rules;
    for (const auto &call : canvas.of(Kind::Line)) {
        if (call.y1 == call.y2 && call.x1 == 15)
            rules.push_back(call);
    }
    return rules;
}

TEST_F(FrameTest, EveryPartAfterTheFirstBeginsBelowAGapAndARule)
{
    const std::string measure = voice(3, {"40:8", "40:8", "40:8", "40:8"});
    // C major over two systems, then A minor and G major on one each.
    load(exercise(part(voice(3, std::vector<std::string>(16, "40:8")))
                  + part(measure, "Key0=\"4\" Key1=\"1\"", 0, 0)
                  + part(measure, "Key0=\"4\" Key1=\"1\"", 1, -1)));
    paint(400);
    ASSERT_EQ(ex->part(0).Tacts.RowCount, 4);
    const auto braces = bitmapsNamed("brace_up.bmp");
    ASSERT_EQ(braces.size(), 4u);
    EXPECT_EQ(braces[0].y1, Top - 3);
    EXPECT_EQ(braces[1].y1, Top + System - 3) << "a later system of the same part";
    EXPECT_EQ(braces[2].y1, Top + 2 * System + Gap - 3);
    EXPECT_EQ(braces[3].y1, Top + 3 * System + 2 * Gap - 3);

    const auto minor = canvas.texts("A moll");
    const auto major = canvas.texts("G dur");
    ASSERT_EQ(minor.size(), 1u);
    ASSERT_EQ(major.size(), 1u);
    EXPECT_EQ(minor[0].y1, Top + 2 * System + Gap - 28);
    EXPECT_EQ(major[0].y1, Top + 3 * System + 2 * Gap - 28);

    // One light rule in each gap, below the room of the system above and above the key name.
    const auto rules = separators(canvas);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_GT(rules[0].y1, Top + 2 * System);
    EXPECT_LT(rules[0].y1, minor[0].y1);
    EXPECT_GT(rules[1].y1, Top + 3 * System + Gap);
    EXPECT_LT(rules[1].y1, major[0].y1);
    EXPECT_EQ(rules[0].x2, 390);
    EXPECT_NE(rules[0].pen, parms->ColorLine);
}

TEST_F(FrameTest, OnePartHasNoGapOrRule)
{
    load(exercise(part(voice(3, std::vector<std::string>(16, "40:8")))));
    paint(400);
    ASSERT_EQ(ex->part(0).Tacts.RowCount, 4);
    EXPECT_TRUE(separators(canvas).empty());
    const auto braces = bitmapsNamed("brace_up.bmp");
    ASSERT_EQ(braces.size(), 2u);
    EXPECT_EQ(braces[1].y1, Top + System - 3);
}

TEST_F(FrameTest, APartAtTheTopOfAScrolledPictureHasNoGapAboveIt)
{
    const std::string measure = voice(3, {"40:8", "40:8", "40:8", "40:8"});
    load(exercise(part(measure) + part(measure, "Key0=\"4\" Key1=\"1\"", 0, 0)));
    paint(1000, 800, 2);
    const auto minor = canvas.texts("A moll");
    ASSERT_EQ(minor.size(), 1u);
    EXPECT_EQ(minor[0].y1, Top - 28);
    // The part scrolled away keeps the gap between itself and the next one.
    const auto braces = bitmapsNamed("brace_up.bmp");
    ASSERT_EQ(braces.size(), 2u);
    EXPECT_EQ(braces[0].y1, Top - System - Gap - 3);
    EXPECT_EQ(braces[1].y1, Top - 3);
}

TEST_F(FrameTest, UnknownClefIsReportedAndDrawnAsAlto)
{
    load(exercise(part(voice(0, {"12:2"}), "Key0=\"7\" Key1=\"1\"")));
    paint();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].caption, "Undified Key");
    EXPECT_EQ(ui.messages[0].text, "Key:Paint");
    EXPECT_EQ(ui.messages[1].text, "Key:GetHigh");
    EXPECT_EQ(bitmapsNamed("key_alto.bmp").size(), 1u);
}

} // namespace
} // namespace pw::test

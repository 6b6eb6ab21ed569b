#include "staff_fixture.h"

#include "staff/staff_texts.h"

namespace pw::test {
namespace {

using TextsTest = StaffTest;

constexpr int TextLine = 250 - L; // StaffTop of a third staff, less one line distance

std::string analysis(const std::vector<std::string> &notes)
{
    std::string voice = "<Voice H=\"0\" Type=\"Def\">";
    for (const std::string &note : notes)
        voice += "<Note Long=\"8\" " + note + "/>";
    return voice + "</Voice>";
}

const std::string Bass = StaffTest::voice(0, {"12:8", "12:8", "12:8", "12:8"});

TEST_F(TextsTest, LabelPiecesAroundTheMainText)
{
    load(exercise(part(
        Bass + voice(0, {"<Note Text=\"A|B|C\" Long=\"8\"/>", "<Note Text=\"D||E\" Long=\"8\"/>"}, "Text"))));
    paint();
    const auto a = canvas.texts("A");
    const auto b = canvas.texts("B");
    const auto c = canvas.texts("C");
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(std::make_pair(a[0].x1, a[0].y1), std::make_pair(111, TextLine));
    EXPECT_EQ(std::make_pair(b[0].x1, b[0].y1), std::make_pair(111 + 8, TextLine - 10));
    EXPECT_EQ(std::make_pair(c[0].x1, c[0].y1), std::make_pair(111 + 8, TextLine + 10));
    EXPECT_EQ(a[0].font.color, MakeColor(0, 100, 0));
    EXPECT_TRUE(a[0].font.bold);
    EXPECT_EQ(a[0].font.size, 10);
    // An empty middle piece is skipped, the lower index still drawn.
    EXPECT_EQ(canvas.texts("E").size(), 1u);
    EXPECT_EQ(canvas.texts("").size(), 0u);
}

TEST_F(TextsTest, TextNoteDrawsItsNoteAndShiftsTheLabel)
{
    load(exercise(part(Bass + voice(0, {"<Note Text=\"T\" Long=\"4\"/>"}, "TextNote"))));
    paint();
    const auto note = bitmapsNamed("n2_down.bmp");
    ASSERT_EQ(note.size(), 1u);
    EXPECT_EQ(std::make_pair(note[0].x1, note[0].y1), std::make_pair(111, TextLine - 20));
    const auto label = canvas.texts("T");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(std::make_pair(label[0].x1, label[0].y1), std::make_pair(111 + 20, TextLine));
}

TEST_F(TextsTest, LabelsAreTranslated)
{
    parms->Definitor().SetLanguage("English");
    load(exercise(part(Bass + voice(0, {"<Note Text=\"Т|6\" Long=\"8\"/>"}, "Text"))));
    paint();
    EXPECT_EQ(canvas.texts("T").size(), 1u);
    EXPECT_EQ(canvas.texts("six").size(), 1u);
    EXPECT_EQ(canvas.texts("Т").size(), 0u);
}

TEST_F(TextsTest, AnalysisLabelStepAndParallels)
{
    load(exercise(part(Bass
                       + analysis({"Text=\"T\"", "Text=\"S|6\" Move=\"гарм.\"",
                                   "Text=\"D\" Move=\"мелод.\" Err=\" == 5\""}))));
    paint();
    const int step = ex->part(0).Tacts.TactStep[0];
    const auto t = canvas.texts("T");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(std::make_pair(t[0].x1, t[0].y1), std::make_pair(111 - Note / 2, TextLine - 32));
    EXPECT_EQ(t[0].font.color, MakeColor(0, 0, 100));
    EXPECT_EQ(t[0].font.size, 10);
    const auto move = canvas.texts("гарм.");
    ASSERT_EQ(move.size(), 1u);
    EXPECT_EQ(std::make_pair(move[0].x1, move[0].y1), std::make_pair(111 + step - 20, TextLine - 19 * L + 5));
    EXPECT_EQ(move[0].font.color, parms->ColorMovement);
    EXPECT_EQ(move[0].font.size, 8);
    const auto err = canvas.texts(" == 5");
    ASSERT_EQ(err.size(), 1u);
    EXPECT_EQ(err[0].y1, TextLine - 19 * L + 15);
    EXPECT_EQ(ex->part(0).Errors, 1);
}

TEST_F(TextsTest, UnknownChordAndForbiddenStepAreTwoErrors)
{
    load(exercise(part(Bass + analysis({"Text=\"T\"", "Text=\"?\" Move=\"?\""}))));
    paint();
    const auto marks = canvas.texts("?");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].font.color, parms->ColorError);
    EXPECT_EQ(marks[1].font.color, parms->ColorError);
    EXPECT_EQ(marks[1].font.size, 8);
    EXPECT_EQ(ex->part(0).Errors, 2);
}

TEST_F(TextsTest, ErrWithoutMoveIsNeitherShownNorCounted)
{
    load(exercise(part(Bass + analysis({"Text=\"T\" Err=\" == 8\""}))));
    paint();
    EXPECT_EQ(canvas.texts(" == 8").size(), 0u);
    EXPECT_EQ(ex->part(0).Errors, 0);
}

TEST_F(TextsTest, ExpectedAnalysisMismatchIsLargeAndCounted)
{
    const std::string expected
        = voice(0, {"<Note Text=\"T\" Long=\"8\"/>", "<Note Text=\"D\" Long=\"8\"/>"}, "TextNote");
    load(exercise(part(Bass + expected + analysis({"Text=\"T\"", "Text=\"S\""}))));
    paint();
    const auto s = canvas.texts("S");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].font.color, parms->ColorError);
    EXPECT_EQ(s[0].font.size, 12);
    EXPECT_EQ(ex->part(0).Errors, 1);
}

TEST_F(TextsTest, ExamHidesLabelsButCountsErrors)
{
    load(exercise(part(Bass + analysis({"Text=\"?\" Move=\"?\""})
                       + voice(0, {"<Note Text=\"X\" Long=\"8\"/>"}, "Text")),
                  "Exam=\"1\""));
    ASSERT_TRUE(ex->IsExam);
    paint();
    EXPECT_TRUE(canvas.texts("?").empty());
    EXPECT_TRUE(canvas.texts("X").empty());
    EXPECT_EQ(canvas.texts("C dur").size(), 1u);
    EXPECT_EQ(ex->part(0).Errors, 2);
    ex->ExamState = 1;
    canvas.calls.clear();
    paint();
    EXPECT_EQ(canvas.texts("?").size(), 2u);
    EXPECT_EQ(canvas.texts("X").size(), 1u);
}

TEST_F(TextsTest, DrawingLeavesTheErrorCountsToTheChecks)
{
    load(exercise(part(Bass + analysis({"Text=\"?\""}))));
    ex->part(0).Errors = 7;
    paint();
    EXPECT_EQ(ex->part(0).Errors, 7) << "the drawing reads verdicts, it does not count them";
    EXPECT_EQ(canvas.texts("?").size(), 1u);
}

} // namespace
} // namespace pw::test

// The checking pass: every part's error count and the completion of the changed part, from the
// document alone.

#include "support/exercise_document.h"

#include "harmony/exercise_check.h"

#include <string>
#include <vector>

using namespace pw;

namespace {

std::string analysis(const std::vector<std::string> &notes)
{
    std::string voice = "<Voice Type=\"Def\">";
    for (const std::string &note : notes)
        voice += "<Note Long=\"8\" " + note + "/>";
    return voice + "</Voice>";
}

// A part whose written bass fills one 4/4 measure; with onlyBass the bass is its one free voice.
std::string part(const std::string &voices, bool onlyBass = false)
{
    return std::string(onlyBass ? "<Part OnlyVoices=\"Y\">" : "<Part>")
        + "<Tonality type=\"1\" val=\"0\"/><Size chi=\"4\" zna=\"8\"/>"
          "<Voice H=\"0\"><Note High=\"12\" Long=\"8\"/><Note High=\"12\" Long=\"8\"/>"
          "<Note High=\"12\" Long=\"8\"/><Note High=\"12\" Long=\"8\"/></Voice>"
        + voices + "</Part>";
}

class ExerciseCheck : public ExerciseFixture
{
protected:
    std::vector<int> errors() const { return PartValues(*exercise, &ExercisePart::Errors); }
    std::vector<bool> done() const { return PartValues(*exercise, &ExercisePart::Done); }
};

} // namespace

TEST_F(ExerciseCheck, CountsEveryVerdictOfEveryPart)
{
    ExerciseChecker checker(*exercise);
    // Part 0: a "?" chord. Part 1: clean. Part 2: a forbidden step, parallels under a step, and an
    // Err without a step (a group without transitions), which is neither shown nor counted.
    ASSERT_TRUE(load("three.xml",
                     "<MExercise>" + part(analysis({"Text=\"?\""})) + part(analysis({"Text=\"T\""}))
                         + part(analysis({"Text=\"T\"", "Text=\"S\" Move=\"?\"",
                                          "Text=\"D\" Move=\"m\" Err=\" == 8\"", "Text=\"T\" Err=\" == 5\""}))
                         + "</MExercise>"));
    EXPECT_EQ(errors(), (std::vector<int> {1, 0, 2})) << "counted at the load, before any drawing";
}

TEST_F(ExerciseCheck, ExpectedAnalysisMismatchesCountByTheCheckLetters)
{
    ExerciseChecker checker(*exercise);
    const std::string expected = "<Voice Type=\"TextNote\"><Note Long=\"8\" Text=\"T\" T=\"T\"/>"
                                 "<Note Long=\"8\" Text=\"S\" T=\"S\"/></Voice>";
    const std::string written = analysis({"Text=\"T\" T=\"D\"", "Text=\"D\" T=\"D\""});
    ASSERT_TRUE(load("n.xml", "<MExercise>" + part(written + expected) + "</MExercise>"));
    EXPECT_EQ(errors(), (std::vector<int> {1})) << "N compares the names only";
    ASSERT_TRUE(load("nt.xml", "<MExercise CheckType=\"NT\">" + part(written + expected) + "</MExercise>"));
    EXPECT_EQ(errors(), (std::vector<int> {2}));
}

TEST_F(ExerciseCheck, CompletionFollowsTheChangedPartOnly)
{
    ExerciseChecker checker(*exercise);
    // Both parts are written in full, but a load never hands in anything by itself.
    ASSERT_TRUE(
        load("full.xml", "<MExercise FixedLength=\"Y\">" + part("", true) + part("", true) + "</MExercise>"));
    EXPECT_EQ(done(), (std::vector<bool> {false, false}));

    exercise->NotifyChanged(ExerciseChange::Cursor, 0);
    EXPECT_EQ(done(), (std::vector<bool> {false, false})) << "a cursor move checks nothing";
    exercise->NotifyChanged(ExerciseChange::Edited, 1);
    EXPECT_EQ(done(), (std::vector<bool> {false, true}));

    // The bass of part 1 loses its last beat: no longer complete once the change is told.
    XmlNode bass = exercise->part(1).Node.child("Voice");
    bass.remove_child(bass.last_child());
    BuildTacts(exercise->part(1).Node, exercise->part(1).Tacts);
    EXPECT_TRUE(exercise->part(1).Done);
    exercise->NotifyChanged(ExerciseChange::Restored, 1);
    EXPECT_FALSE(exercise->part(1).Done);
}

TEST_F(ExerciseCheck, WithoutAFixedLengthNothingIsComplete)
{
    ASSERT_TRUE(load("free.xml", "<MExercise>" + part("", true) + "</MExercise>"));
    EXPECT_FALSE(PartComplete(*exercise, exercise->part(0)));
    exercise->HasFixedLength = true;
    EXPECT_TRUE(PartComplete(*exercise, exercise->part(0)));
    // A free voice with no notes at all leaves the part open.
    exercise->part(0).VoiceFree[1] = true;
    EXPECT_FALSE(PartComplete(*exercise, exercise->part(0)));
}

TEST_F(ExerciseCheck, ListenersAfterTheCheckSeeItsNumbers)
{
    std::vector<int> seen;
    ExerciseChecker checker(*exercise,
                            [&](ExerciseChange, int) { seen.push_back(exercise->part(0).Errors); });
    ASSERT_TRUE(
        load("one.xml", "<MExercise>" + part(analysis({"Text=\"?\"", "Text=\"?\""})) + "</MExercise>"));
    EXPECT_EQ(seen, (std::vector<int> {2}));
}

#include "harmony/harmony_check.h"

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

class JudgeTest : public ::testing::Test
{
protected:
    XmlNode note(std::initializer_list<std::pair<const char *, const char *>> attrs)
    {
        XmlNode n = doc.append_child("Note");
        for (const auto &[name, value] : attrs)
            SetAttr(n, name, value);
        return n;
    }
    pugi::xml_document doc;
};

TEST_F(JudgeTest, ExpectedAnalysisComparesTheCheckedAttributes)
{
    const XmlNode analysis = note({{"Text", "T"}, {"T", "T"}, {"M", "3"}, {"TT", "1"}});
    const XmlNode expected = note({{"Text", "T"}, {"T", "S"}, {"M", "3"}, {"TT", "0"}});
    struct Case
    {
        const char *letters;
        bool mismatch;
    };
    for (const Case &c : {Case {"NT", true}, Case {"N", false}, Case {"", false}, Case {"NM", false},
                          Case {"O", true}, Case {"NX", false}}) {
        const AnalysisVerdict verdict = JudgeAnalysisNote(analysis, expected, c.letters);
        EXPECT_EQ(verdict.expectedMismatch, c.mismatch) << c.letters;
        EXPECT_EQ(verdict.errorCount(), c.mismatch ? 1 : 0) << c.letters;
        EXPECT_EQ(verdict.nameInErrorColour(), c.mismatch) << c.letters;
    }
    // An expected note without text checks nothing.
    EXPECT_FALSE(JudgeAnalysisNote(analysis, note({{"T", "S"}}), "T").expectedMismatch);
    EXPECT_FALSE(JudgeAnalysisNote(analysis, XmlNode(), "T").expectedMismatch);
}

TEST_F(JudgeTest, NamesStepsAndParallels)
{
    const AnalysisVerdict unknown = JudgeAnalysisNote(note({{"Text", "?"}}), XmlNode(), "N");
    EXPECT_TRUE(unknown.unknownChord);
    EXPECT_TRUE(unknown.nameInErrorColour());
    EXPECT_EQ(unknown.errorCount(), 1);

    const AnalysisVerdict forbidden
        = JudgeAnalysisNote(note({{"Text", "D"}, {"Move", "?"}, {"Err", " == 5"}}), XmlNode(), "N");
    EXPECT_TRUE(forbidden.showMove);
    EXPECT_TRUE(forbidden.forbiddenMove);
    EXPECT_TRUE(forbidden.showErr);
    EXPECT_FALSE(forbidden.nameInErrorColour());
    EXPECT_EQ(forbidden.errorCount(), 2);

    const AnalysisVerdict named = JudgeAnalysisNote(note({{"Text", "D"}, {"Move", "гарм."}}), XmlNode(), "N");
    EXPECT_TRUE(named.showMove);
    EXPECT_EQ(named.errorCount(), 0);

    // Without a step there is nothing to hang the parallels on.
    const AnalysisVerdict hidden = JudgeAnalysisNote(note({{"Text", "D"}, {"Err", " == 8"}}), XmlNode(), "N");
    EXPECT_FALSE(hidden.showMove);
    EXPECT_FALSE(hidden.showErr);
    EXPECT_EQ(hidden.errorCount(), 0);
}

TEST(IterationVerdict, EveryPartCompleteAndWithoutErrors)
{
    RecordingUi ui;
    StdRandom random(1);
    HarExercis ex(ui, random, std::filesystem::temp_directory_path());
    EXPECT_FALSE(AllPartsComplete(ex));
    EXPECT_FALSE(NoErrors(ex));

    ex.Parts.resize(2);
    ex.part(0).Done = true;
    EXPECT_FALSE(AllPartsComplete(ex));
    EXPECT_TRUE(NoErrors(ex));
    EXPECT_FALSE(IterationSucceeded(ex));

    ex.part(1).Done = true;
    EXPECT_TRUE(IterationSucceeded(ex));
    ex.part(1).Errors = 1;
    EXPECT_FALSE(NoErrors(ex));
    EXPECT_FALSE(IterationSucceeded(ex));
}

TEST(IterationVerdict, ClosedIterationsMakeTheMark)
{
    RecordingUi ui;
    StdRandom random(1);
    HarExercis ex(ui, random, std::filesystem::temp_directory_path());
    TimerArea task;
    task.Iterations = 3;
    ex.Parts.resize(1);
    ex.part(0).Done = true;
    EXPECT_TRUE(CloseIteration(ex, task));
    ex.part(0).Errors = 2;
    EXPECT_FALSE(CloseIteration(ex, task));
    ex.part(0).Errors = 0;
    EXPECT_TRUE(CloseIteration(ex, task));
    EXPECT_EQ(task.Attempts, 3);
    EXPECT_EQ(task.Successes, 2);
    EXPECT_EQ(task.MarkText(), "4");
}

} // namespace

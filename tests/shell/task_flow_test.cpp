#include "support/exercise_document.h"

#include "shell/task_flow.h"

#include <memory>
#include <vector>

using namespace pw;

namespace {

// Counts what the flow asks of the window.
class RecordingView : public TaskFlowView
{
public:
    void RepaintStaff() override { ++repaints; }
    void EvaluateLater() override { ++laterEvaluations; }
    bool ResultShown() const override { return resultShown; }
    void ShowExerciseResult() override
    {
        ++results;
        resultShown = true;
    }
    void ExamPartsDone() override { ++examDone; }
    void RefreshCounters() override { ++counters; }
    void ExerciseReloaded() override { ++reloads; }
    void ShowReview(int attempt, int iterations, bool successful) override
    {
        reviews.push_back({attempt, iterations, successful});
    }
    void HideReview() override { ++reviewsHidden; }

    struct Review
    {
        int attempt;
        int iterations;
        bool successful;
        bool operator==(const Review &) const = default;
    };
    std::vector<Review> reviews;
    int reviewsHidden = 0;

    int repaints = 0;
    int laterEvaluations = 0;
    int results = 0;
    int examDone = 0;
    int counters = 0;
    int reloads = 0;
    bool resultShown = false;
};

class TaskFlowTest : public ExerciseFixture
{
protected:
    void SetUp() override
    {
        ExerciseFixture::SetUp();
        task.Timer = std::make_unique<TickTimer>();
        flow = std::make_unique<TaskFlow>(*exercise, task, view);
    }

    // A timed series of the given length with two parts.
    void loadSeries(int iterations, const std::string &extra = {})
    {
        ASSERT_TRUE(load("series.xml",
                         "<MExercise LimitMin=\"1\" LimitSec=\"0\" CountIteration=\""
                             + std::to_string(iterations) + "\" " + extra + "><Part/><Part/></MExercise>"));
        ASSERT_TRUE(task.Timer->enabled());
    }
    // Every part written, with or without a mistake in the last one.
    void writeAll(bool mistake)
    {
        for (ExercisePart &part : exercise->Parts) {
            part.Done = true;
            part.Errors = 0;
        }
        if (mistake)
            exercise->Parts.back().Errors = 1;
    }

    RecordingView view;
    std::unique_ptr<TaskFlow> flow;
};

TEST_F(TaskFlowTest, ModeZeroShowsEachAttemptForReviewThenMovesOnAndMarksTheSeries)
{
    loadSeries(2);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 0) << "nothing written yet";

    writeAll(false);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 1);
    EXPECT_EQ(task.Successes, 1);
    EXPECT_TRUE(flow->Reviewing());
    EXPECT_EQ(view.reviews, (std::vector<RecordingView::Review> {{1, 2, true}}));
    EXPECT_FALSE(task.Timer->enabled()) << "the clock waits while the attempt is reviewed";
    EXPECT_TRUE(exercise->part(0).Done) << "the finished staff stays";
    EXPECT_EQ(view.reloads, 0);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 1) << "a reviewed attempt is not counted again";

    flow->Continue();
    EXPECT_FALSE(flow->Reviewing());
    EXPECT_EQ(view.reviewsHidden, 1);
    EXPECT_EQ(view.reloads, 1);
    EXPECT_FALSE(exercise->part(0).Done) << "the next iteration is loaded";
    EXPECT_TRUE(task.Timer->enabled()) << "and its countdown starts";

    writeAll(true);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 2);
    EXPECT_EQ(task.Successes, 1) << "mode 0 counts a written iteration with mistakes as failed";
    EXPECT_EQ(view.reviews.back(), (RecordingView::Review {2, 2, false}));
    EXPECT_EQ(view.results, 0) << "the last attempt is reviewed first";
    flow->Continue();
    EXPECT_EQ(view.results, 1);
    EXPECT_EQ(view.reloads, 1);
    EXPECT_EQ(task.MarkText(), "3");
    flow->Evaluate();
    EXPECT_EQ(view.results, 1) << "a shown result is not shown again";
}

TEST_F(TaskFlowTest, ModeOneWaitsOnMistakesAndEnterCountsAFailure)
{
    loadSeries(2);
    exercise->AutoCompleteMode = 1;
    writeAll(true);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 0);
    flow->CompleteTask();
    EXPECT_EQ(task.Attempts, 1);
    EXPECT_EQ(task.Successes, 0);
    flow->CompleteTask();
    EXPECT_FALSE(flow->Reviewing()) << "Enter during the review goes on";
    EXPECT_EQ(task.Attempts, 1);

    writeAll(false);
    flow->Evaluate();
    EXPECT_EQ(task.Successes, 1) << "without mistakes mode 1 moves on by itself";
}

TEST_F(TaskFlowTest, ModeTwoCompletesOnlyByEnter)
{
    loadSeries(3);
    exercise->AutoCompleteMode = 2;
    writeAll(false);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 0);
    flow->CompleteTask();
    EXPECT_EQ(task.Successes, 1);
    flow->Continue();
    flow->CompleteTask();
    EXPECT_EQ(task.Attempts, 2);
    EXPECT_EQ(task.Successes, 1) << "an unwritten iteration is a failure";
    flow->Continue();
    writeAll(false);
    flow->CompleteTask();
    flow->Continue();
    EXPECT_EQ(view.results, 1);
    EXPECT_EQ(task.MarkText(), "4");

    const int attempts = task.Attempts;
    flow->CompleteTask();
    EXPECT_EQ(task.Attempts, attempts) << "Enter does nothing while the result is shown";
}

TEST_F(TaskFlowTest, MarksOfAThreeIterationSeries)
{
    for (const auto &[solved, mark] : {std::pair {3, "5"}, {1, "3"}, {0, "2"}}) {
        loadSeries(3);
        for (int i = 0; i < 3; ++i) {
            writeAll(i >= solved);
            flow->Evaluate();
            flow->Continue();
        }
        EXPECT_EQ(task.MarkText(), mark) << solved << " solved";
    }
}

TEST_F(TaskFlowTest, CountdownBorrowsMinutesAndCountsAFailedAttemptWhenTimeIsUp)
{
    loadSeries(2);
    EXPECT_EQ(task.LimitMin, 1);
    flow->Tick(true);
    EXPECT_EQ(task.LimitMin, 0);
    EXPECT_EQ(task.LimitSec, 59);
    EXPECT_EQ(view.counters, 1);

    task.LimitSec = 1;
    flow->Tick(true);
    EXPECT_EQ(task.Attempts, 1);
    EXPECT_EQ(task.Successes, 0);
    EXPECT_TRUE(flow->Reviewing()) << "the attempt out of time is shown as it stands";
    EXPECT_FALSE(task.Timer->enabled());
    flow->Continue();
    EXPECT_TRUE(task.Timer->enabled()) << "the next iteration restarts the clock";
}

TEST_F(TaskFlowTest, TimeRunningOutInTheLastIterationShowsTheResultAfterTheReview)
{
    loadSeries(1);
    task.LimitMin = 0;
    task.LimitSec = 1;
    flow->Tick(true);
    EXPECT_EQ(task.Attempts, 1);
    EXPECT_FALSE(task.Timer->enabled()) << "no next iteration is loaded";
    EXPECT_EQ(view.reloads, 0);
    EXPECT_EQ(view.results, 0);
    flow->Continue();
    EXPECT_EQ(view.results, 1);
    EXPECT_EQ(view.reloads, 0);
    EXPECT_EQ(task.MarkText(), "2");
}

TEST_F(TaskFlowTest, TwoMinutesTenSecondsKeepBorrowingAtTheMinute)
{
    loadSeries(1);
    task.LimitMin = 2;
    task.LimitSec = 1;
    flow->Tick(true);
    // 2:00 is shown, then a minute is carried into the seconds for the next tick.
    EXPECT_EQ(task.LimitMin, 1);
    EXPECT_EQ(task.LimitSec, 60);
    flow->Tick(true);
    EXPECT_EQ(task.LimitMin, 1);
    EXPECT_EQ(task.LimitSec, 59);
}

TEST_F(TaskFlowTest, AnExamStopsTheClockWhenWrittenAndShowsTheResultOnAKey)
{
    loadSeries(1, "Exam=\"Y\"");
    EXPECT_FALSE(flow->ExamKey()) << "a key before the parts are written means nothing";
    writeAll(false);
    flow->Evaluate();
    EXPECT_EQ(exercise->ExamState, 0);
    EXPECT_FALSE(task.Timer->enabled());
    EXPECT_EQ(view.examDone, 1);
    EXPECT_EQ(view.results, 0);

    EXPECT_TRUE(flow->ExamKey());
    EXPECT_EQ(exercise->ExamState, 2);
    EXPECT_EQ(view.results, 1);
    EXPECT_EQ(task.MarkText(), "5") << "the written exam counts as the attempt";
}

TEST_F(TaskFlowTest, AnExamWhoseTimeRanOutShowsItsAnalysisBeforeTheResult)
{
    loadSeries(1, "Exam=\"Y\"");
    task.LimitMin = 0;
    task.LimitSec = 1;
    flow->Tick(true);
    flow->Evaluate();
    EXPECT_EQ(exercise->ExamState, 1);
    EXPECT_EQ(view.results, 0);
    flow->Evaluate();
    EXPECT_EQ(view.results, 1);
}

TEST_F(TaskFlowTest, AnUntimedExerciseNeverCompletes)
{
    ASSERT_TRUE(load("free.xml", "<MExercise><Part/></MExercise>"));
    EXPECT_FALSE(task.Timer->enabled());
    writeAll(false);
    flow->Evaluate();
    EXPECT_EQ(task.Attempts, 0);
    EXPECT_EQ(view.results, 0);
}

} // namespace

#include "shell/task_flow.h"

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "harmony/harmony_check.h"

namespace pw {

namespace {

// Holds a flag set for the lifetime of a scope, also when the scope is left by an exception.
class FlagScope
{
public:
    explicit FlagScope(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

TaskFlow::TaskFlow(HarExercis &exercise, TimerArea &task, TaskFlowView &view)
    : m_exercise(exercise)
    , m_task(task)
    , m_view(view)
{
}

bool TaskFlow::TimerRuns() const
{
    return m_task.Timer && m_task.Timer->enabled();
}

void TaskFlow::stopTimer()
{
    if (m_task.Timer)
        m_task.Timer->setEnabled(false);
}

void TaskFlow::nextIteration()
{
    m_exercise.ReloadExercise();
    m_view.ExerciseReloaded();
}

// The attempt is counted and the clock stops while its staff is shown for review.
void TaskFlow::closeAttempt(bool success)
{
    m_task.CountAttempt(success);
    stopTimer();
    m_reviewing = true;
    m_view.ShowReview(m_task.Attempts, m_task.Iterations, success);
    m_view.RefreshCounters();
    m_view.RepaintStaff();
}

void TaskFlow::Continue()
{
    if (!m_reviewing)
        return;
    m_reviewing = false;
    m_view.HideReview();
    if (m_task.Attempts < m_task.Iterations) {
        nextIteration();
        m_view.RefreshCounters();
        m_view.RepaintStaff();
    } else if (!m_view.ResultShown()) {
        m_view.ShowExerciseResult();
    }
}

void TaskFlow::Evaluate()
{
    if (m_exercise.Status < 0 || m_evaluating || m_reviewing)
        return;
    const FlagScope evaluating(m_evaluating);
    if (TimerRuns() && AllPartsComplete(m_exercise) && m_task.Attempts < m_task.Iterations) {
        const int mode = m_exercise.AutoCompleteMode;
        const bool clean = NoErrors(m_exercise);
        if ((mode == 0 || (mode == 1 && clean)) && !m_exercise.IsExam) {
            closeAttempt(clean);
            return;
        }
        if (m_exercise.IsExam && m_exercise.ExamState == -1) {
            stopTimer();
            m_view.ExamPartsDone();
            m_exercise.ExamState = 0;
            m_view.RepaintStaff();
            return;
        }
    }
    if (m_task.Iterations > 0 && m_task.Attempts == m_task.Iterations && !m_view.ResultShown()) {
        // An exam first shows its staff with the analysis, then the result.
        if (m_exercise.IsExam && m_exercise.ExamState != 1) {
            m_exercise.ExamState = 1;
            m_view.RepaintStaff();
            m_view.EvaluateLater();
        } else {
            m_view.ShowExerciseResult();
        }
    }
}

void TaskFlow::Tick(bool harmony)
{
    m_task.TickDown();
    m_view.RefreshCounters();
    if (!m_task.RunOut())
        return;
    stopTimer();
    if (!harmony || m_task.TimerMode != 1 || m_reviewing)
        return;
    if (!m_exercise.IsExam) {
        closeAttempt(false);
        return;
    }
    // An exam out of time counts as failed and shows its analysis, then its result.
    const int before = m_task.Attempts;
    m_task.CountAttempt(false);
    if (before < m_task.Iterations - 1)
        nextIteration();
    m_view.RefreshCounters();
    m_view.RepaintStaff();
    m_view.EvaluateLater();
}

void TaskFlow::CompleteTask()
{
    if (m_view.ResultShown())
        return;
    if (m_reviewing) {
        Continue();
        return;
    }
    closeAttempt(AllPartsComplete(m_exercise) && NoErrors(m_exercise));
}

bool TaskFlow::ExamKey()
{
    if (!m_exercise.IsExam || m_exercise.ExamState != 0)
        return false;
    // The written parts are this attempt: it counts before the mark is given, or every exam
    // would be marked 2.
    if (m_task.Attempts < m_task.Iterations)
        m_task.CountAttempt(NoErrors(m_exercise));
    m_exercise.ExamState = 2;
    m_view.ShowExerciseResult();
    return true;
}

} // namespace pw

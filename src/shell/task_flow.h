#pragma once

namespace pw {

class HarExercis;
class TimerArea;

// What the task flow asks of the window around it.
class TaskFlowView
{
public:
    virtual ~TaskFlowView() = default;
    // Schedules a repaint of the staff.
    virtual void RepaintStaff() = 0;
    // Runs Evaluate once more after the staff has been shown anew: an exam that just ended shows
    // its analysis first, then its result.
    virtual void EvaluateLater() = 0;
    virtual bool ResultShown() const = 0;
    // Stops the countdown and shows the result panel with the mark.
    virtual void ShowExerciseResult() = 0;
    // An exam's parts are all written: the countdown has stopped, its display is to be cleared
    // and the lower panel brought up to date.
    virtual void ExamPartsDone() = 0;
    // The lower panel's counters and time display.
    virtual void RefreshCounters() = 0;
    // The next iteration was loaded: the staff starts again from its first row.
    virtual void ExerciseReloaded() = 0;
    // An attempt has just been counted: its staff stays on screen with its labels, and the lower
    // panel says which attempt it was and how it went, until the student goes on.
    virtual void ShowReview(int attempt, int iterations, bool successful) = 0;
    virtual void HideReview() = 0;
};

// The timed series of a harmony exercise: when an iteration completes (by the completion mode,
// by Enter, or when the time runs out) it is counted and shown for review; when the student goes
// on, the next one is loaded, until the mark is due.
class TaskFlow
{
public:
    TaskFlow(HarExercis &exercise, TimerArea &task, TaskFlowView &view);

    // Judges the iteration by the completion mode: run after every change of the exercise
    // document (once its checks are up to date), when the mode changes, and when asked for by
    // EvaluateLater. A change made while it runs (the next iteration loaded) is not judged again.
    void Evaluate();
    // One tick of the one-second countdown. Harmony: whether the lesson is a harmony exercise.
    void Tick(bool harmony);
    // Enter or the panel's next button: closes the iteration, successful only when every part is
    // written without mistakes; during a review it goes on instead.
    void CompleteTask();
    // A key pressed while an exam waits with all its parts written.
    bool ExamKey();
    // Ends the review: the next iteration, or the result after the last one.
    void Continue();

    bool TimerRuns() const;
    // An attempt is shown for review: the staff takes no notes until the student goes on.
    bool Reviewing() const { return m_reviewing; }

private:
    void stopTimer();
    void nextIteration();
    void closeAttempt(bool success);

    HarExercis &m_exercise;
    TimerArea &m_task;
    TaskFlowView &m_view;
    bool m_evaluating = false;
    bool m_reviewing = false;
};

} // namespace pw

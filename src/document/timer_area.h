#pragma once

#include "platform/tick_timer.h"

#include <memory>
#include <optional>
#include <string>

namespace pw {

// The task's time limit and score for the exercise in hand.
class TimerArea
{
public:
    TimerArea();

    void CountAttempt(bool success);
    // Trunc(Successes * 3 / Iterations) + 2: a mark from 2 to 5; 2 while Iterations is not above 0.
    int Mark() const;
    std::string MarkText() const { return std::to_string(Mark()); }
    // Carries whole minutes out of LimitSec.
    void NormalizeTime();
    // One second of the countdown, before it is shown: a minute borrowed when the seconds are out.
    void TickDown();
    // After the time is shown: whether it has run out; if not, a minute is borrowed already when the
    // seconds reached 0, so the next tick shows 59.
    bool RunOut();

    int LimitMin = 0;
    int LimitSec = 0;
    // The one-second countdown timer; the shell replaces it with one that really ticks.
    std::unique_ptr<TickTimer> Timer;
    int TimerMode = 0;
    int Iterations = -1;
    int Attempts = 0;
    int Successes = 0;
    // Seconds of the time limit the series has used, summed over its tasks as the countdown takes
    // them; none while the series has no limit. Whoever starts a series sets it.
    std::optional<int> SecondsUsed;
};

} // namespace pw

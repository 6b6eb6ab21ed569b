#include "panels/task_counters.h"

#include "document/timer_area.h"

#include <algorithm>
#include <cstdio>

namespace pw {

std::string TimeText(int minutes, int seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes, seconds);
    return text;
}

CounterTexts PianoCounterTexts(const TimerArea &task)
{
    CounterTexts out;
    if (task.Attempts < task.Iterations)
        out.number = std::to_string(task.Attempts + 1);
    out.remain = std::to_string(std::max(task.Iterations - task.Attempts - 1, 0));
    out.completed = std::to_string(task.Attempts);
    out.successful = std::to_string(task.Successes);
    out.mistakes = std::to_string(task.Attempts - task.Successes);
    out.time = TimeText(task.LimitMin, task.LimitSec);
    return out;
}

CounterTexts DrillCounterTexts(const TimerArea &task)
{
    CounterTexts out = PianoCounterTexts(task);
    const int remain = task.Iterations - task.Attempts - 1;
    out.remain = remain >= 0 ? std::to_string(remain) : std::string();
    return out;
}

} // namespace pw

#include "document/timer_area.h"

namespace pw {

TimerArea::TimerArea()
    : Timer(std::make_unique<TickTimer>())
{
}

void TimerArea::CountAttempt(bool success)
{
    ++Attempts;
    if (success)
        ++Successes;
}

std::string TimerArea::MarkText() const
{
    if (Iterations <= 0)
        return "2";
    return std::to_string(Successes * 3 / Iterations + 2);
}

void TimerArea::NormalizeTime()
{
    const int total = LimitMin * 60 + LimitSec;
    LimitMin = total / 60;
    LimitSec = total - 60 * LimitMin;
}

} // namespace pw

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

int TimerArea::Mark() const
{
    if (Iterations <= 0)
        return 2;
    return Successes * 3 / Iterations + 2;
}

void TimerArea::NormalizeTime()
{
    const int total = LimitMin * 60 + LimitSec;
    LimitMin = total / 60;
    LimitSec = total - 60 * LimitMin;
}

void TimerArea::TickDown()
{
    if (LimitSec == 0 && LimitMin > 0) {
        LimitSec = 60;
        --LimitMin;
    }
    if (LimitSec > 0) {
        --LimitSec;
        if (SecondsUsed)
            ++*SecondsUsed;
    }
}

bool TimerArea::RunOut()
{
    if (LimitMin == 0 && LimitSec == 0)
        return true;
    if (LimitSec == 0 && LimitMin >= 1) {
        LimitSec = 60;
        --LimitMin;
    }
    return false;
}

} // namespace pw

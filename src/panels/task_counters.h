#pragma once

#include <string>

namespace pw {

class TimerArea;

// What the piano panel's counter labels show for the task record.
struct CounterTexts
{
    std::string number; // the exercise in hand, 1-based; empty once the series is done
    std::string remain;
    std::string completed;
    std::string successful;
    std::string mistakes;
    std::string time; // "MM:SS"
};

CounterTexts PianoCounterTexts(const TimerArea &task);

std::string TimeText(int minutes, int seconds);

} // namespace pw

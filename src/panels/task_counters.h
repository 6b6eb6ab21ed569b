#pragma once

#include <array>
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
// The same for the note-naming drill, whose remaining count is blank past the last task.
CounterTexts DrillCounterTexts(const TimerArea &task);

// The counter labels of the lower panels: object names of caption and value, and the caption's
// identifier under "BottomQuest".
struct CounterDesign
{
    const char *caption;
    const char *value;
    const char *textId;
};
inline constexpr std::array<CounterDesign, 5> CounterDesigns {{
    {"lExercis", "TasksNumber", "Exercise"},
    {"lRemain", "TasksRemain", "Remains"},
    {"lComplete", "TasksCompleted", "Completed"},
    {"lSuccessfull", "TasksSuccessful", "Successfull"},
    {"lMistakes", "TasksWithMistakes", "Mistakes"},
}};

std::string TimeText(int minutes, int seconds);

} // namespace pw

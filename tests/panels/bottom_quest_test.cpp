// The task status panel: the time text, its place at the right, the finish button's pictures.

#include "document/timer_area.h"
#include "panels/bottom_quest.h"
#include "panels/picture_button.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace pw;

namespace {

TEST(BottomQuest, TheTimeReadsInTwoDigitsAndStaysAtTheRight)
{
    TimerArea task;
    int finished = 0;
    TBottomQuest panel(task, PARTWRITER_PROGRAM_DIR, [&] { ++finished; });
    auto *time = panel.findChild<QLabel *>("TimeRest");
    auto *fin = panel.findChild<TPictureButton *>("qFin");
    ASSERT_TRUE(time && fin);
    for (const auto &[minutes, seconds, text] :
         {std::tuple {10, 0, "10:00"}, std::tuple {0, 9, "00:09"}, std::tuple {1, 5, "01:05"}}) {
        task.LimitMin = minutes;
        task.LimitSec = seconds;
        panel.RefreshTime();
        EXPECT_EQ(time->text().toStdString(), text);
    }
    panel.show();
    for (int width : {900, 1400}) {
        panel.resize(width, 120);
        EXPECT_EQ(time->x(), width - 220);
        EXPECT_EQ(fin->x(), time->x() - 2 * fin->width()) << "two button widths to its left";
    }
    // The counters are there, cleared and never shown.
    for (const char *name : {"lExercise", "lRemains", "lCompleted", "lSuccessfull", "lMistake", "TasksNumber",
                             "TasksRemain", "tasksCompleted", "TasksSuccessful", "TasksWithMistakes"}) {
        auto *label = panel.findChild<QLabel *>(name);
        ASSERT_TRUE(label) << name;
        EXPECT_TRUE(label->isHidden()) << name;
    }
    EXPECT_EQ(fin->ShownPicture(), "stop_off");
    panel.RefreshButton(true);
    EXPECT_EQ(fin->ShownPicture(), "stop_on");
    fin->click();
    EXPECT_EQ(finished, 1);
    panel.SetFinishEnabled(false);
    EXPECT_EQ(fin->ShownPicture(), "stop_disable");
    fin->click();
    EXPECT_EQ(finished, 1) << "a disabled button ends nothing";
    EXPECT_FALSE(fin->Pictures().Current().isNull()) << "the art tool draws the stop pictures";
}

} // namespace

// The note-naming drill opened in the main window: its panel, its pictures in the paint box,
// clicks and keys as answers, the sounds on the selected output, the countdown and the mark.

#include "main_window_fixture.h"

#include "document/xml_file.h"
#include "panels/bottom_notes.h"
#include "progress/progress_database.h"
#include "shell/course_activation.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>

using namespace pw;

namespace {

constexpr std::uint32_t Packed(int status, int data1, int data2)
{
    return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
}

class DrillWindow : public MainWindowFixture
{
protected:
    // A drill lesson with a keyboard picture at the top left of the paint box, opened as the tree
    // opens it.
    void openDrill(const std::string &attributes, const std::string &pauseFile = {})
    {
        QImage keyboard(504, 250, QImage::Format_RGB32);
        keyboard.fill(Qt::white);
        std::filesystem::create_directories(folder / "html");
        ASSERT_TRUE(
            keyboard.save(QString::fromStdString((folder / "html" / "test-keys.jpg").string()), "JPG"));
        ASSERT_TRUE(menu.load_string(
            ("<Item Type=\"MusNoteDefine\"><Parm keyboardpicture=\"test-keys.jpg\" "
             "keyboardleft=\"0\" keyboardtop=\"0\" "
             + attributes + (pauseFile.empty() ? "" : " PauseFile=\"" + pauseFile + "\"") + "/></Item>")
                .c_str()));
        TCourseLesson lesson;
        lesson.LessonType = "MusNoteDefine";
        lesson.LessonParm = menu.child("Item").child("Parm");
        lesson.PauseFile = pauseFile;
        lesson.Caption = "Drill";
        window->OpenCourseLesson(lesson);
        settle();
    }
    TBottomNotes *panel() const { return child<TBottomNotes>("TBottomNotes"); }
    QString counter(const char *name) const { return child<QLabel>(name)->text(); }
    // Clicks the paint box over the key of the first octave with that white index (0 = C4).
    void clickWhite(int white)
    {
        QTest::mouseClick(child<QWidget>("pb"), Qt::LeftButton, Qt::NoModifier, QPoint(white * 36 + 18, 220));
        settle();
    }
    bool sent(std::uint32_t packed) const
    {
        for (const auto &s : TestMidi().sent()) {
            if (s.packed == packed)
                return true;
        }
        return false;
    }

    pugi::xml_document menu;
};

TEST_F(DrillWindow, ATaskSoundsOnTheOutputAndAClickOnTheRightKeySucceeds)
{
    start();
    openDrill("type=\"1\" countnotes=\"2\"");
    ASSERT_TRUE(panel());
    EXPECT_TRUE(shown("pb"));
    EXPECT_TRUE(shown("TBottomNotes"));
    const int first = panel()->Drill().Task().first;
    EXPECT_TRUE(sent(Packed(0x90, first + 21, 50))) << "the note sounds on the selected output";
    EXPECT_EQ(counter("TasksNumber"), "1");
    EXPECT_EQ(counter("TasksRemain"), "1");
    EXPECT_EQ(counter("TimeRest"), "00:05");

    int right = -1;
    for (int w = 0; w < 14; ++w) {
        if (KeyboardGeometry(504, 250, 2).KeyAt(w * 36 + 18, 220) == first)
            right = w;
    }
    ASSERT_GE(right, 0);
    clickWhite(right == 0 ? 1 : 0);
    EXPECT_EQ(panel()->Drill().WrongCount(), 2) << "a click counts twice";
    clickWhite(right);
    EXPECT_EQ(panel()->Drill().Outcome(), DrillOutcome::Success);
    EXPECT_EQ(counter("TasksCompleted"), "1");
    EXPECT_EQ(counter("TasksSuccessful"), "1");
    EXPECT_EQ(counter("TasksWithMistakes"), "0");

    // Space goes on; a MIDI key of the wrong note five times uses the attempts up.
    key(Qt::Key_Space);
    EXPECT_EQ(panel()->Drill().Outcome(), DrillOutcome::Open);
    EXPECT_EQ(counter("TasksNumber"), "2");
    const int second = panel()->Drill().Task().first;
    for (int i = 0; i < 5; ++i)
        window->NoteHandler(0, 0x90, second + 21 + 1, 90);
    settle();
    EXPECT_EQ(panel()->Drill().Outcome(), DrillOutcome::Exhausted);
    EXPECT_TRUE(shown("sResult")) << "two tasks done: the mark";
    EXPECT_EQ(child<QLabel>("sMark")->text(), "3");
    // The series goes into the progress log, with the seconds of its limit it used.
    settle();
    const std::optional<std::vector<ProgressEntry>> logged = ReadProgressFile(progressFile());
    ASSERT_TRUE(logged);
    ASSERT_EQ(logged->size(), 1u);
    EXPECT_EQ(logged->front().kind, "MusNoteDefine");
    EXPECT_EQ(logged->front().mark, 3);
    EXPECT_EQ(logged->front().attempts, 2);
    EXPECT_EQ(logged->front().errors, 1);
    EXPECT_TRUE(logged->front().secondsUsed);
}

TEST_F(DrillWindow, ThePausePageComesFirstAndTheCountdownEndsATask)
{
    start();
    openDrill("type=\"2\" countnotes=\"3\" countseconds=\"2\"", "html\\pause-harmony.html");
    EXPECT_TRUE(window->paused());
    EXPECT_TRUE(panel()->Drill().Waiting()) << "nothing is asked behind the page";
    key(Qt::Key_Space);
    EXPECT_FALSE(window->paused());
    EXPECT_FALSE(panel()->Drill().Waiting());
    for (int i = 0; i < 2; ++i)
        window->CountdownTick();
    settle();
    EXPECT_EQ(panel()->Drill().Outcome(), DrillOutcome::TimeOut);
    EXPECT_EQ(counter("TasksWithMistakes"), "1");
    EXPECT_TRUE(panel()->Drill().ResultShown());
}

TEST_F(DrillWindow, TheTraceHoldsWhatTheDrillSends)
{
    start();
    std::string told;
    closeNextMessage(&told);
    window->ToggleTrace();
    settle();
    openDrill("type=\"1\"");
    const int first = panel()->Drill().Task().first;
    const std::string trace = read(folder / "midi.log");
    EXPECT_NE(trace.find("aStatus: 192 aData1: " + std::to_string(panel()->Drill().Task().program)),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("aStatus: 144 aData1: " + std::to_string(first + 21) + " aData2: 50"),
              std::string::npos);
}

TEST_F(DrillWindow, PianoOnlyAndTheFamiliesExcludeEachOther)
{
    start();
    openDrill("type=\"1\"");
    auto *pianoOnly = child<QCheckBox>("sPianoOnly");
    auto *organ = child<QCheckBox>("sOrgan");
    ASSERT_TRUE(pianoOnly && organ);
    pianoOnly->click();
    for (const char *name :
         {"sPiano", "sOtherKeys", "sOrgan", "sGuitar", "sStrings", "sGold", "sWood", "sSvirel"})
        EXPECT_FALSE(child<QCheckBox>(name)->isChecked()) << name;
    EXPECT_TRUE(panel()->Drill().Instruments().pianoOnly);
    organ->click();
    EXPECT_FALSE(pianoOnly->isChecked());
    EXPECT_FALSE(panel()->Drill().Instruments().pianoOnly);
    EXPECT_TRUE(panel()->Drill().Instruments().families[2]);
    pianoOnly->click();
    pianoOnly->click();
    for (const char *name : {"sPiano", "sOrgan", "sSvirel"})
        EXPECT_TRUE(child<QCheckBox>(name)->isChecked()) << "unticking it ticks every family: " << name;
}

} // namespace

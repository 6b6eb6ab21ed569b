#include "piano_fixture.h"

#include "config/localization.h"
#include "panels/panel_bitmaps.h"
#include "panels/piano_geometry.h"

#include <QLabel>

using namespace pw;

using PianoPanel = PianoFixture;

TEST_F(PianoPanel, PressAndReleaseSendNoteOnAndOffThroughTheHandler)
{
    struct Case
    {
        const char *image;
        int x, y, note;
    };
    const Case cases[] = {
        {"Image3", 0, 80, 60},  {"Image3", 7, 53, 61},  {"Image3", 14, 0, 61},  {"Image3", 15, 10, 62},
        {"Image3", 16, 53, 62}, {"Image3", 7, 54, 60},  {"Image1", 0, 80, 36},  {"Image2", 40, 5, 54},
        {"Image5", 76, 87, 95}, {"Image5", 69, 10, 94}, {"Image4", 33, 20, 77},
    };
    for (const Case &c : cases) {
        messages.clear();
        press(c.image, c.x, c.y);
        release(c.image);
        const std::vector<Message> expected {{1, 144, c.note, 50}, {1, 128, c.note, 50}};
        EXPECT_EQ(messages, expected) << c.image << " " << c.x << "," << c.y;
    }
}

TEST_F(PianoPanel, PressesBesideTheKeysAreIgnored)
{
    press("Image3", -1, 60);
    press("Image3", piano::OctaveWidth, 60);
    release("Image3");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PianoPanel, WhilePausedAPressOnlyResumes)
{
    panel->SetPaused(true);
    press("Image3", 0, 80);
    release("Image3");
    EXPECT_EQ(pauseToggles, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PianoPanel, ArrowAndUndoButtonsSendTheirKeys)
{
    setVoice(Alto, 0);
    entry->InsertFromMidi(64); // gives an undo step
    panel->RefreshButtons();
    const std::vector<std::pair<const char *, Key>> cases {
        {"tLeft", {Qt::Key_Left, Qt::NoModifier}},   {"tUp", {Qt::Key_Up, Qt::NoModifier}},
        {"tDown", {Qt::Key_Down, Qt::NoModifier}},   {"tRight", {Qt::Key_Right, Qt::NoModifier}},
        {"tUndo", {Qt::Key_Z, Qt::ControlModifier}},
    };
    for (const auto &[name, key] : cases) {
        keys.clear();
        button(name)->click();
        EXPECT_EQ(keys, std::vector<Key> {key}) << name;
    }

    keys.clear();
    panel->SetPaused(true);
    for (const auto &[name, key] : cases)
        button(name)->click();
    EXPECT_TRUE(keys.empty());
}

TEST_F(PianoPanel, VoiceAndUndoButtonsShowWhetherTheyCanAct)
{
    // The bass of this exercise is given: nothing to go down to from the tenor.
    setVoice(Tenor, 0);
    EXPECT_EQ(picture("tDown"), "down_disable");
    EXPECT_EQ(picture("tUp"), "up_off");
    EXPECT_EQ(picture("tUndo"), "undo_disable");
    EXPECT_EQ(picture("tLeft"), "left_off");
    EXPECT_EQ(picture("tRight"), "right_off");

    setVoice(Soprano, 0);
    EXPECT_EQ(picture("tUp"), "up_disable");
    EXPECT_EQ(picture("tDown"), "down_off");

    keys.clear();
    button("tUp")->click();
    EXPECT_TRUE(keys.empty()) << "a disabled button does nothing";

    entry->InsertFromMidi(72);
    panel->RefreshButtons();
    EXPECT_EQ(picture("tUndo"), "undo_off");

    panel->SetPaused(true);
    for (const char *name : {"tLeft", "tUp", "tDown", "tRight", "tUndo"})
        EXPECT_TRUE(picture(name).ends_with("_disable")) << name;
}

TEST_F(PianoPanel, ButtonUnderTheMouseShowsItsOnPicture)
{
    setVoice(Tenor, 0);
    hover("tLeft", true);
    EXPECT_EQ(picture("tLeft"), "left_on");
    EXPECT_EQ(picture("tRight"), "right_off");
    hover("tDown", true);
    EXPECT_EQ(picture("tDown"), "down_disable");
    EXPECT_EQ(picture("tLeft"), "left_off");
    hover("tDown", false);
    hover("bPause", true);
    EXPECT_EQ(picture("bPause"), "pause_on");
    hover("bPause", false);
    EXPECT_EQ(picture("bPause"), "pause_off");
}

TEST_F(PianoPanel, PauseAndNextButtons)
{
    EXPECT_EQ(picture("bPause"), "pause_off");
    EXPECT_EQ(picture("bNextPart"), "enter_off");
    button("bNextPart")->click();
    EXPECT_EQ(completions, 1);

    panel->SetPaused(true);
    EXPECT_EQ(picture("bPause"), "play_off");
    button("bNextPart")->click();
    EXPECT_EQ(completions, 1);
    button("bPause")->click();
    EXPECT_EQ(pauseToggles, 1);

    panel->SetPauseEnabled(false);
    panel->SetNextEnabled(false);
    panel->SetPaused(false);
    EXPECT_EQ(picture("bPause"), "pause_disable");
    EXPECT_EQ(picture("bNextPart"), "enter_disable");
    button("bPause")->click();
    button("bNextPart")->click();
    EXPECT_EQ(pauseToggles, 1);
    EXPECT_EQ(completions, 1);
}

TEST_F(PianoPanel, ShowCountersShowsLabelsAndTaskButtonsTogether)
{
    const char *names[]
        = {"lExercis",    "lRemain",     "lComplete",      "lSuccessfull",    "lMistakes",
           "TasksNumber", "TasksRemain", "TasksCompleted", "TasksSuccessful", "TasksWithMistakes",
           "TimeRest",    "lRegim",      "bPause",         "bNextPart"};
    for (bool on : {false, true, false}) {
        panel->ShowCounters(on);
        for (const char *name : names)
            EXPECT_EQ(control(name)->isVisible(), on) << name;
    }
}

TEST_F(PianoPanel, LettersSwitchMarksTheOctavesOfTheComputerKeys)
{
    const auto pictures = [this] {
        std::vector<std::string> out;
        for (const char *name : {"Image1", "Image2", "Image3", "Image4", "Image5"})
            out.push_back(picture(name));
        return out;
    };
    const std::string p = "piano03", lower = "piano030", upper = "piano031";
    setVoice(Alto, -1);
    EXPECT_EQ(pictures(), (std::vector<std::string> {p, p, p, p, p}));
    EXPECT_FALSE(control("iMinus")->isVisible());
    EXPECT_FALSE(control("iPLus")->isVisible());
    EXPECT_EQ(picture("iLetter"), "btn_letter_up");

    button("iLetter")->click();
    EXPECT_TRUE(panel->LettersShown());
    EXPECT_EQ(picture("iLetter"), "btn_letter_down");
    EXPECT_TRUE(control("iMinus")->isVisible());
    EXPECT_TRUE(control("iPLus")->isVisible());
    EXPECT_EQ(pictures(), (std::vector<std::string> {p, lower, upper, p, p}));

    setVoice(Bass, -1);
    EXPECT_EQ(pictures(), (std::vector<std::string> {lower, upper, p, p, p}));
    setVoice(Soprano, 1);
    EXPECT_EQ(pictures(), (std::vector<std::string> {p, p, p, p, lower}));

    button("iLetter")->click();
    EXPECT_EQ(pictures(), (std::vector<std::string> {p, p, p, p, p}));
}

TEST_F(PianoPanel, OctaveButtonsToggleTheCurrentVoicesOffset)
{
    button("iLetter")->click();
    struct Case
    {
        int voice, before;
        const char *button;
        int after;
    };
    const Case cases[] = {
        {Tenor, 0, "iPLus", 1},   {Tenor, 1, "iPLus", 0}, {Tenor, 0, "iMinus", -1},
        {Tenor, -1, "iMinus", 0}, {Bass, 0, "iMinus", 0}, {Soprano, 0, "iPLus", 0},
        {Alto, 2, "iPLus", 3},    {Alto, 3, "iMinus", 2}, {Alto, -1, "iPLus", 1},
    };
    for (const Case &c : cases) {
        setVoice(c.voice, c.before);
        button(c.button)->click();
        EXPECT_EQ(exercise->OctOffset[static_cast<std::size_t>(c.voice)], c.after)
            << c.voice << " " << c.before << " " << c.button;
    }

    setVoice(Tenor, 0);
    panel->OctaveUp();
    EXPECT_EQ(picture("iPLus"), "btn_plus_down");
    EXPECT_EQ(picture("iMinus"), "btn_minus_up");
    EXPECT_EQ(picture("Image3"), "piano030") << "the tenor one octave up plays from C4";
    panel->OctaveDown();
    panel->OctaveDown();
    EXPECT_EQ(picture("iMinus"), "btn_minus_down");
    EXPECT_EQ(exercise->OctOffset[Tenor], -1);
    EXPECT_EQ(exercise->OctOffset[Alto], 1) << "other voices keep their offsets";
}

TEST_F(PianoPanel, RefreshCountersWritesTheTaskRecord)
{
    task.Iterations = 3;
    task.Attempts = 1;
    task.Successes = 0;
    task.LimitMin = 4;
    task.LimitSec = 7;
    panel->RefreshCounters();
    const std::pair<const char *, const char *> expected[] = {
        {"TasksNumber", "2"},     {"TasksRemain", "1"},       {"TasksCompleted", "1"},
        {"TasksSuccessful", "0"}, {"TasksWithMistakes", "1"}, {"TimeRest", "04:07"},
    };
    for (const auto &[name, text] : expected)
        EXPECT_EQ(control<QLabel>(name)->text().toStdString(), text) << name;

    task.Attempts = 3;
    panel->RefreshCounters();
    EXPECT_EQ(control<QLabel>("TasksNumber")->text(), "");
    EXPECT_EQ(control<QLabel>("TasksRemain")->text(), "0");
    panel->SetTimeText("00:00");
    EXPECT_EQ(control<QLabel>("TimeRest")->text(), "00:00");
}

TEST_F(PianoPanel, BuiltInTextsAreRussian)
{
    EXPECT_EQ(control<QLabel>("lExercis")->text(), "Упражнение");
    EXPECT_EQ(control<QLabel>("lMistakes")->text(), "С ошибками");
    EXPECT_EQ(control("iLetter")->toolTip(), "Отобразить буквы на клавиатуре");
    EXPECT_EQ(control("lFirstOctave")->toolTip(), "Первая октава");
    EXPECT_EQ(control<QLabel>("lRegim")->text(), "Переход на следующее упражнение автоматически");
    panel->SetCompletionMode(2);
    EXPECT_EQ(control<QLabel>("lRegim")->text(), "Переход на следующее упражнение принудительно");
}

TEST_F(PianoPanel, SetTextsTakesLocalisedTextsAndKeepsTheRest)
{
    write("Localize.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<Localize><BottomQuest>
  <I id="Exercise">Exercise</I>
  <I id="Successfull">Successful</I>
  <I id="LetterHint">Show letters on the keys</I>
  <I id="OctavePlusHint">Octave up</I>
  <I id="RegimIfNotMistakes">Next exercise automatically when there are no mistakes</I>
</BottomQuest></Localize>)");
    Localization texts;
    texts.Load(folder, "English");
    panel->SetCompletionMode(1);
    panel->SetTexts(texts);
    EXPECT_EQ(control<QLabel>("lExercis")->text(), "Exercise");
    EXPECT_EQ(control<QLabel>("lSuccessfull")->text(), "Successful");
    EXPECT_EQ(control<QLabel>("lRemain")->text(), "Осталось");
    EXPECT_EQ(control("iLetter")->toolTip(), "Show letters on the keys");
    EXPECT_EQ(control("iPLus")->toolTip(), "Octave up");
    EXPECT_EQ(control("iMinus")->toolTip(), "Октава вниз");
    EXPECT_EQ(control<QLabel>("lRegim")->text(), "Next exercise automatically when there are no mistakes");
    panel->SetCompletionMode(0);
    EXPECT_EQ(control<QLabel>("lRegim")->text(), "Переход на следующее упражнение автоматически");
}

TEST_F(PianoPanel, BlackKeysAreDrawnWherePressesPlayThem)
{
    for (const char *name : {"piano03", "piano030", "piano031"}) {
        const QImage drawn(QString(PARTWRITER_PROGRAM_DIR "/res/") + name + ".bmp");
        ASSERT_EQ(drawn.size(), QSize(piano::OctaveWidth, piano::OctaveHeight)) << name;
        for (int x = 0; x < piano::OctaveWidth; ++x) {
            const int y = 20;
            const auto offset = piano::NoteOffsetAt(x, y, piano::WhiteKeyWidth);
            const bool black = offset && *offset != 3 && *offset != 5 && *offset != 7 && *offset != 8
                && *offset != 10 && *offset != 12 && *offset != 14;
            EXPECT_EQ(qGray(drawn.pixel(x, y)) < 80, black) << name << " x=" << x;
            EXPECT_GT(qGray(drawn.pixel(x, piano::BlackZoneHeight + 1)), 120) << name << " x=" << x;
        }
    }
}

TEST_F(PianoPanel, ControlsFitThePanelWithoutOverlapping)
{
    panel->resize(panel->sizeHint());
    button("iLetter")->click();
    panel->ShowCounters(true);
    task.Iterations = 3;
    task.LimitMin = 15;
    panel->RefreshCounters();
    std::vector<QWidget *> shown;
    for (QWidget *child : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible())
            shown.push_back(child);
    }
    ASSERT_GE(shown.size(), 25u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(panel->rect().contains(shown[i]->geometry())) << shown[i]->objectName().toStdString();
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << shown[i]->objectName().toStdString() << " " << shown[j]->objectName().toStdString();
        }
    }
    // A picture of the panel for a look by eye.
    if (const char *shot = std::getenv("PARTWRITER_PANEL_SHOT"))
        panel->grab().save(shot);
}

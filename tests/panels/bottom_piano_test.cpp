#include "piano_fixture.h"

#include "config/localization.h"
#include "panels/panel_bitmaps.h"
#include "panels/piano_geometry.h"

#include <QLabel>

#include <optional>

using namespace pw;

using PianoPanel = PianoFixture;

namespace {

// The panel widths of the main area from the smallest window up to a wide screen.
constexpr int PanelWidths[] = {555, 780, 1024, 1360, 1920};

// The first run of dark pixels along row y of a picture, as its first and last column.
std::optional<std::pair<int, int>> darkRun(const QImage &image, int y)
{
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) >= 80)
            continue;
        int last = x;
        while (last + 1 < image.width() && qGray(image.pixel(last + 1, y)) < 80)
            ++last;
        return std::pair {x, last};
    }
    return std::nullopt;
}

} // namespace

TEST_F(PianoPanel, PressAndReleaseSendNoteOnAndOffThroughTheHandler)
{
    // At this width the keys are those of the 11-pixel design grid, 77 by 88 an octave.
    panel->resize(780, 150);
    ASSERT_EQ(control("Image3")->size(), QSize(piano::OctaveWidth, piano::OctaveHeight));
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
    press("Image3", control("Image3")->width(), 60);
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
  <I id="FirstOctaveHint">The octave from middle C</I>
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
    EXPECT_EQ(control("lFirstOctave")->toolTip(), "The octave from middle C");
    EXPECT_EQ(control<QLabel>("lRegim")->text(), "Next exercise automatically when there are no mistakes");
    panel->SetCompletionMode(0);
    EXPECT_EQ(control<QLabel>("lRegim")->text(), "Переход на следующее упражнение автоматически");
}

TEST_F(PianoPanel, BlackKeysAreDrawnWherePressesPlayThem)
{
    button("iLetter")->click();
    setVoice(Alto, -1); // Image2 and Image3 show letters
    for (int width : {555, 1024, 1920}) {
        panel->resize(width, 150);
        for (const char *name : {"Image1", "Image2", "Image3"}) {
            QWidget *octave = control(name);
            const QImage drawn = octave->grab().toImage();
            ASSERT_EQ(drawn.size(), octave->size()) << name;
            const int h = octave->height();
            const double whiteWidth = octave->width() / 7.0;
            const int zone = piano::BlackZoneHeightFor(h);
            for (int x = 0; x < drawn.width(); ++x) {
                const int y = zone / 3;
                const auto offset = piano::NoteOffsetAt(x, y, whiteWidth, h);
                ASSERT_TRUE(offset);
                EXPECT_EQ(qGray(drawn.pixel(x, y)) < 80, piano::IsBlack(*offset))
                    << name << " at " << width << " x=" << x;
                EXPECT_GT(qGray(drawn.pixel(x, zone + 1)), 120) << name << " at " << width << " x=" << x;
            }
        }
    }
}

TEST_F(PianoPanel, KeysGrowWithThePanel)
{
    int last = 0;
    for (int width : PanelWidths) {
        panel->resize(width, 150);
        const QWidget *octave = control("Image3");
        EXPECT_EQ(octave->width() % 7, 0) << width;
        EXPECT_GE(octave->width(), last) << width;
        last = octave->width();
        EXPECT_EQ(control("Image4")->x(), octave->geometry().right() + 1) << width;
    }
    panel->resize(555, 150);
    EXPECT_EQ(control("Image1")->width(), 7 * 8);
    panel->resize(1600, 150);
    EXPECT_GE(control("Image1")->width(), 7 * 16) << "clearly wider than the old 11-pixel keys";
    EXPECT_EQ(control("lFirstOctave")->width(), control("Image3")->width());
    EXPECT_EQ(control("lFirstOctave")->x(), control("Image3")->x());
}

TEST_F(PianoPanel, PressesHitTheDrawnKeysAtEverySize)
{
    for (int width : {555, 1024, 1920}) {
        panel->resize(width, 150);
        QWidget *octave = control("Image3");
        const QImage drawn = octave->grab().toImage();
        const int h = octave->height();

        messages.clear();
        press("Image3", 1, h - 3);
        release("Image3");
        ASSERT_EQ(messages.size(), 2u) << width;
        EXPECT_EQ(messages[0][2], 60) << "the leftmost white key at " << width;

        // The first black key drawn in the upper part of the picture is C sharp.
        const auto sharp = darkRun(drawn, h / 5);
        ASSERT_TRUE(sharp) << width;
        EXPECT_GT(sharp->first, 0) << width;
        messages.clear();
        press("Image3", (sharp->first + sharp->second) / 2, h / 5);
        release("Image3");
        ASSERT_EQ(messages.size(), 2u) << width;
        EXPECT_EQ(messages[0][2], 61) << "the middle of C sharp at " << width;
        // Its left and right edges too, and the white keys beside it.
        for (const auto &[x, note] : {std::pair {sharp->first, 61},
                                      {sharp->second, 61},
                                      {sharp->first - 1, 60},
                                      {sharp->second + 1, 62}}) {
            messages.clear();
            press("Image3", x, h / 5);
            release("Image3");
            ASSERT_EQ(messages.size(), 2u);
            EXPECT_EQ(messages[0][2], note) << "x=" << x << " at " << width;
        }
        // Down the middle of C sharp: the black key ends where the picture turns light.
        const int middle = (sharp->first + sharp->second) / 2;
        int end = h / 5;
        while (end < h && qGray(drawn.pixel(middle, end)) < 150)
            ++end;
        ASSERT_LT(end, h - 10) << width;
        const int whiteBelow = middle < octave->width() / 7 ? 60 : 62;
        for (const auto &[y, note] : {std::pair {end - 1, 61}, {end, whiteBelow}}) {
            messages.clear();
            press("Image3", middle, y);
            release("Image3");
            ASSERT_EQ(messages.size(), 2u);
            EXPECT_EQ(messages[0][2], note) << "y=" << y << " at " << width;
        }
    }
}

TEST_F(PianoPanel, SoundingKeysAreDrawnPressed)
{
    for (int width : {555, 1360}) {
        panel->resize(width, 150);
        QWidget *octave = control("Image3");
        const int w = octave->width() / 7;
        const int h = octave->height();
        const QPoint onC(w / 2, h - 8), onD(w + w / 2, h - 8);
        const auto sharp = darkRun(octave->grab().toImage(), h / 5);
        ASSERT_TRUE(sharp);
        const QPoint onSharp((sharp->first + sharp->second) / 2, h / 5);
        const QImage before = octave->grab().toImage();

        panel->SetSounding(60, true);
        EXPECT_TRUE(panel->Sounding(60));
        EXPECT_FALSE(panel->Sounding(61));
        EXPECT_FALSE(panel->Sounding(72)) << "the same key an octave up";
        QImage shown = octave->grab().toImage();
        EXPECT_NE(shown.pixel(onC), before.pixel(onC)) << width;
        EXPECT_EQ(shown.pixel(onD), before.pixel(onD)) << width;
        EXPECT_EQ(shown.pixel(onSharp), before.pixel(onSharp)) << width;
        // The shade covers the key from top to bottom between the black keys.
        EXPECT_NE(shown.pixel(1, h / 5), before.pixel(1, h / 5)) << width;

        panel->SetSounding(61, true);
        shown = octave->grab().toImage();
        EXPECT_NE(shown.pixel(onSharp), before.pixel(onSharp)) << width;
        EXPECT_GT(qBlue(shown.pixel(onSharp)), qRed(shown.pixel(onSharp)) + 40) << "a blue key, clearly";

        panel->SetSounding(60, false);
        panel->SetSounding(61, false);
        EXPECT_FALSE(panel->Sounding(60));
        EXPECT_EQ(octave->grab().toImage(), before) << width;
    }
}

TEST_F(PianoPanel, SoundingOutsideTheFiveOctavesIsIgnored)
{
    const QImage before[] = {control("Image1")->grab().toImage(), control("Image5")->grab().toImage()};
    for (int note : {0, 35, 96, 127, -1}) {
        panel->SetSounding(note, true);
        EXPECT_FALSE(panel->Sounding(note)) << note;
    }
    EXPECT_EQ(control("Image1")->grab().toImage(), before[0]);
    EXPECT_EQ(control("Image5")->grab().toImage(), before[1]);
    panel->SetSounding(36, true);
    panel->SetSounding(95, true);
    EXPECT_TRUE(panel->Sounding(36));
    EXPECT_TRUE(panel->Sounding(95));
    EXPECT_NE(control("Image1")->grab().toImage(), before[0]);
    EXPECT_NE(control("Image5")->grab().toImage(), before[1]);
}

TEST_F(PianoPanel, APressMarksItsKeyUntilTheRelease)
{
    const int h = control("Image2")->height();
    press("Image2", 1, h - 3);
    EXPECT_TRUE(panel->Sounding(48));
    release("Image2");
    EXPECT_FALSE(panel->Sounding(48));

    panel->SetPaused(true);
    press("Image2", 1, h - 3);
    EXPECT_FALSE(panel->Sounding(48)) << "a press that only resumes sounds nothing";
    release("Image2");
}

TEST_F(PianoPanel, ControlsFitThePanelWithoutOverlapping)
{
    button("iLetter")->click();
    panel->ShowCounters(true);
    task.Iterations = 3;
    task.LimitMin = 15;
    panel->RefreshCounters();
    panel->SetAdvice("Crossed voices: the alto is above the soprano.");
    for (int width : PanelWidths) {
        panel->resize(width, 150);
        std::vector<QWidget *> shown;
        for (QWidget *child : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible())
                shown.push_back(child);
        }
        ASSERT_GE(shown.size(), 26u);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(panel->rect().contains(shown[i]->geometry()))
                << shown[i]->objectName().toStdString() << " at " << width;
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " " << shown[j]->objectName().toStdString()
                    << " at " << width;
            }
        }
        // A picture of the panel for a look by eye.
        if (const char *shot = std::getenv("PARTWRITER_PANEL_SHOT"))
            panel->grab().save(QString(shot).replace(".png", QString("-%1.png").arg(width)));
    }
}

TEST_F(PianoPanel, TextsStayReadableAtEveryWidth)
{
    Localization english;
    english.Load(PARTWRITER_BUNDLED_DATA, "English");
    ASSERT_TRUE(english.InUse());
    Localization russian;
    const char *captions[] = {"lExercis", "lRemain", "lComplete", "lSuccessfull", "lMistakes"};
    const char *values[]
        = {"TasksNumber", "TasksRemain", "TasksCompleted", "TasksSuccessful", "TasksWithMistakes"};
    for (const Localization *texts : {&russian, &english}) {
        panel->SetTexts(*texts);
        for (int width : PanelWidths) {
            panel->resize(width, 150);
            for (const char *name : captions) {
                const QLabel *caption = control<QLabel>(name);
                EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width())
                    << caption->text().toStdString() << " at " << width;
                EXPECT_GE(caption->height(), caption->fontMetrics().height()) << name << " at " << width;
            }
            for (const char *name : values) {
                const QLabel *value = control<QLabel>(name);
                EXPECT_LE(value->fontMetrics().horizontalAdvance("999"), value->width())
                    << name << " at " << width;
            }
            const QLabel *time = control<QLabel>("TimeRest");
            EXPECT_LE(time->fontMetrics().horizontalAdvance("00:00"), time->width()) << width;
            EXPECT_LE(time->fontMetrics().height(), time->height()) << width;
            EXPECT_GE(time->font().pixelSize(), 20) << width;

            const QLabel *regim = control<QLabel>("lRegim");
            for (int mode : {0, 1, 2}) {
                panel->SetCompletionMode(mode);
                EXPECT_LE(regim->heightForWidth(regim->width()), regim->height())
                    << regim->text().toStdString() << " at " << width;
            }
            const QLabel *why = control<QLabel>("lWhy");
            EXPECT_GE(why->height(), 2 * why->fontMetrics().lineSpacing()) << width;
            EXPECT_GE(why->font().pixelSize(), 11) << width;
        }
    }
}

TEST_F(PianoPanel, TheReasonsLineShowsItsWholeTextAsTooltip)
{
    const QString reasons = "Crossed voices: the alto is above the soprano. The leading tone is doubled: "
                            "tenor and soprano. The bass leaps 14 semitones; at most 12 are allowed here.";
    panel->SetAdvice(reasons);
    EXPECT_EQ(panel->Advice(), reasons);
    EXPECT_EQ(control("lWhy")->toolTip(), reasons);
    panel->SetAdvice({});
    EXPECT_EQ(panel->Advice(), "");
    EXPECT_EQ(control("lWhy")->toolTip(), "");
}

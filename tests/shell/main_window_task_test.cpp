// The task flow driven through the main window with key events, as a student works.

#include "main_window_fixture.h"

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "shell/course_activation.h"
#include "shell/staff_box.h"

#include <QFileDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QToolButton>
#include <QToolTip>

using namespace pw;

namespace {

class MainWindowTask : public MainWindowFixture
{
protected:
    void play(const std::vector<int> &notes)
    {
        for (int note : notes)
            playByKey(note);
    }
    bool resultShown() const { return shown("sResult"); }
    QString mark() const { return child<QLabel>("sMark")->text(); }
    // The last short message sent to the output.
    std::uint32_t lastSent() const
    {
        const auto sent = TestMidi().sent();
        return sent.empty() ? 0 : sent.back().packed;
    }
};

constexpr std::uint32_t Message(int status, int key, int velocity)
{
    return static_cast<std::uint32_t>(status | key << 8 | velocity << 16);
}

} // namespace

TEST_F(MainWindowTask, TwoIterationsSolvedWithoutErrorsInModeZeroEndWithMarkFive)
{
    start();
    openExercise("timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"2\""));
    ASSERT_EQ(window->task().TimerMode, 1);
    EXPECT_TRUE(child<QToolButton>("tbTaskAutoCompleteAny")->isVisible());
    play(CadenceNotes);
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_FALSE(resultShown());
    EXPECT_EQ(child<QLabel>("TasksCompleted")->text(), "1") << "the panel counts the iteration";
    // The finished staff stays for review, its line in the panel, until Space.
    EXPECT_TRUE(child<QLabel>("lWhy")->text().startsWith("Попытка 1 из 2: успешно"));
    EXPECT_TRUE(window->exercise().part(0).Done);
    EXPECT_FALSE(window->task().Timer->enabled());
    key(Qt::Key_Space);
    EXPECT_FALSE(window->exercise().part(0).Done) << "the next attempt is loaded";
    EXPECT_TRUE(window->task().Timer->enabled()) << "and its countdown starts";
    EXPECT_EQ(window->exercise().CurrentVoice(), 0) << "the new iteration starts with the bass";
    play(CadenceNotes);
    settle();
    EXPECT_EQ(window->task().Attempts, 2);
    EXPECT_FALSE(resultShown()) << "the last attempt is reviewed too";
    key(Qt::Key_Space);
    ASSERT_TRUE(resultShown());
    EXPECT_EQ(mark(), "5");
    EXPECT_FALSE(window->task().Timer->enabled()) << "the countdown stops with the result";
}

TEST_F(MainWindowTask, ModeOneWithAnErrorWaitsAndEnterCountsAFailure)
{
    start();
    openExercise("timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"2\""));
    QTest::mouseClick(child<QToolButton>("tbTaskAutoCompleteSuccess"), Qt::LeftButton);
    EXPECT_EQ(window->exercise().AutoCompleteMode, 1);
    play(ParallelNotes);
    EXPECT_EQ(window->task().Attempts, 0) << "the written part has a mistake: no move";
    key(Qt::Key_Return);
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_EQ(window->task().Successes, 0);
}

TEST_F(MainWindowTask, ModeTwoCompletesOnlyByEnter)
{
    start();
    openExercise("timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"1\""));
    QTest::mouseClick(child<QToolButton>("tbTaskAutoCompleteNever"), Qt::LeftButton);
    play(CadenceNotes);
    EXPECT_EQ(window->task().Attempts, 0);
    key(Qt::Key_Enter);
    settle();
    EXPECT_EQ(window->task().Successes, 1);
    key(Qt::Key_Enter);
    ASSERT_TRUE(resultShown());
    EXPECT_EQ(mark(), "5");
}

TEST_F(MainWindowTask, TimeRunningOutCountsAFailedAttemptAndShowsTheResult)
{
    start();
    openExercise("timed.xml", CadenceExercise("LimitSec=\"2\" CountIteration=\"1\""));
    window->CountdownTick();
    EXPECT_EQ(window->task().Attempts, 0);
    window->CountdownTick();
    settle();
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_TRUE(child<QLabel>("lWhy")->text().startsWith("Попытка 1 из 1: с ошибками"));
    key(Qt::Key_Space);
    ASSERT_TRUE(resultShown());
    EXPECT_EQ(mark(), "2");
}

TEST_F(MainWindowTask, AnExamWaitsForAKeyAfterTheLastNote)
{
    start();
    openExercise("exam.xml", CadenceExercise("Exam=\"Y\" LimitMin=\"5\" CountIteration=\"1\""));
    play(CadenceNotes);
    EXPECT_EQ(window->exercise().ExamState, 0);
    EXPECT_FALSE(window->task().Timer->enabled());
    EXPECT_FALSE(resultShown());
    key(Qt::Key_X);
    EXPECT_TRUE(resultShown());
    EXPECT_EQ(mark(), "5");
}

TEST_F(MainWindowTask, SpaceTogglesThePausePageAndTheCountdown)
{
    start();
    write("xml/timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"2\""));
    TCourseLesson lesson;
    lesson.LessonType = "MusHarmonyExercise";
    lesson.LessonFile = "xml\\timed.xml";
    lesson.PauseFile = "html\\pause-harmony.html";
    lesson.Caption = "Timed";
    window->OpenCourseLesson(lesson);
    settle();
    EXPECT_FALSE(window->paused());
    EXPECT_TRUE(window->task().Timer->enabled());

    key(Qt::Key_Space);
    EXPECT_TRUE(window->paused());
    EXPECT_TRUE(shown("wb"));
    EXPECT_FALSE(shown("sb"));
    EXPECT_FALSE(window->task().Timer->enabled());
    EXPECT_FALSE(child<QToolButton>("tbLengthHalf")->isEnabled()) << "commands wait while paused";
    const int before = window->exercise().InsertCount;
    key(Qt::Key_A);
    EXPECT_EQ(window->exercise().InsertCount, before) << "no notes while paused";

    key(Qt::Key_Space);
    EXPECT_FALSE(window->paused());
    EXPECT_FALSE(shown("wb"));
    EXPECT_TRUE(window->task().Timer->enabled());
}

TEST_F(MainWindowTask, SpaceWithTheResultShownGivesTheMessage)
{
    start();
    openExercise("timed.xml", CadenceExercise("LimitSec=\"1\" CountIteration=\"1\""));
    window->CountdownTick();
    settle();
    key(Qt::Key_Space);
    ASSERT_TRUE(resultShown());
    std::string message;
    closeNextMessage(&message);
    key(Qt::Key_Space);
    EXPECT_EQ(message,
              "Сообщение|Вы выполнили упражение с указанным результатом, для дальнейших действий "
              "выберите пункт меню слева");
    // Another lesson takes the result away.
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\Chromo-major-bemol.xml", "");
    settle();
    EXPECT_FALSE(resultShown());
}

TEST_F(MainWindowTask, TheAKeyInTheAltoPlaysMiddleCAndItsReleaseSwitchesItOff)
{
    start();
    openExercise("free.xml", CadenceExercise(""));
    window->exercise().OctOffset = {0, 0, 0, 0};
    QTest::mouseClick(child<QToolButton>("tbVoice2"), Qt::LeftButton);
    ASSERT_EQ(window->exercise().CurrentVoice(), 2);
    QTest::keyPress(window.get(), Qt::Key_A);
    EXPECT_EQ(window->exercise().InsertCount, 1);
    EXPECT_EQ(lastSent(), Message(0x90, 60, 50));
    QTest::keyRelease(window.get(), Qt::Key_A);
    EXPECT_EQ(lastSent(), Message(0x80, 60, 5));
}

TEST_F(MainWindowTask, LengthShortcutsWorkFromTheKeyboard)
{
    start();
    openExercise("free.xml",
                 "<MExercise><Part Key0=\"4\" Key1=\"1\"><Tonality type=\"1\" val=\"0\"/>"
                 "<Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/><Voice H=\"1\"/><Voice H=\"2\"/>"
                 "<Voice H=\"3\"/></Part></MExercise>");
    const struct
    {
        int key;
        int length;
        int dot;
    } cases[] = {{Qt::Key_1, 2, 0}, {Qt::Key_2, 4, 0}, {Qt::Key_3, 4, 1},
                 {Qt::Key_4, 8, 0}, {Qt::Key_6, 8, 1}, {Qt::Key_8, 16, 0}};
    for (const auto &c : cases) {
        key(c.key);
        EXPECT_EQ(window->exercise().CurrentLength(), c.length) << c.key;
        EXPECT_EQ(window->exercise().CurrentDot(), c.dot) << c.key;
    }
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(window->exercise().CurrentDot(), 1);
    EXPECT_TRUE(child<QToolButton>("tbLengthPoint")->isChecked());
}

TEST_F(MainWindowTask, AuthoringModeDeletesExemptsAndAddsParts)
{
    start();
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();
    HarExercis &ex = window->exercise();
    ASSERT_TRUE(ex.EditMode);
    EXPECT_TRUE(child<QToolButton>("tbSave")->isVisible());
    EXPECT_TRUE(child<QToolButton>("tbNextPart")->isEnabled()) << "a part can be added";
    const auto notes = [&] { return ex.Doc->select_nodes("//Note").size(); };
    const auto exempted = [&] { return ex.Doc->select_nodes("//Note[@BH='Y']").size(); };

    QTest::mouseClick(child<QToolButton>("tbVoice0"), Qt::LeftButton);
    window->NoteHandler(0, 144, 48, 90);
    ASSERT_EQ(notes(), 1u);
    QTest::mouseClick(child<QToolButton>("tbVoice0"), Qt::LeftButton);
    key(Qt::Key_Left);
    key(Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(exempted(), 1u) << "Alt+B marks the note at the cursor";
    key(Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(exempted(), 0u) << "and a second time unmarks it";
    key(Qt::Key_Delete);
    EXPECT_EQ(notes(), 0u);

    const int parts = ex.PartCount();
    std::string question;
    closeNextMessage(&question);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_NE(question.find("add new part"), std::string::npos) << question;
    EXPECT_EQ(ex.PartCount(), parts + 1) << "Shift+Down past the last part adds one";
    EXPECT_EQ(ex.CurPart, parts);
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(ex.CurPart, parts - 1);
}

TEST_F(MainWindowTask, DeleteOutsideAuthoringDoesNothing)
{
    start();
    window->NoteHandler(0, 144, 55, 90);
    const auto undoable = window->exercise().CanUndo();
    const int voice = window->exercise().CurrentVoice();
    key(Qt::Key_Left);
    key(Qt::Key_Delete);
    EXPECT_EQ(window->exercise().CanUndo(), undoable);
    EXPECT_EQ(window->exercise().CurrentVoice(), voice);
}

TEST_F(MainWindowTask, SaveAndOpenRoundTripInAuthoringMode)
{
    start();
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();
    window->NoteHandler(0, 144, 48, 90);
    const std::string saved = (folder / "mine.xml").string();
    QTimer::singleShot(0, [saved] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->selectFile(QString::fromStdString(saved));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    window->SaveExercise();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(window->exercise().FileName, saved);
    const auto notes = [&] { return window->exercise().Doc->select_nodes("//Note").size(); };
    EXPECT_NE(read(saved).find("<Note "), std::string::npos) << read(saved);

    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();
    EXPECT_EQ(notes(), 0u);
    QTimer::singleShot(0, [saved] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->selectFile(QString::fromStdString(saved));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    window->OpenExercise();
    settle();
    EXPECT_EQ(window->exercise().FileName, saved);
    EXPECT_EQ(notes(), 1u);
    EXPECT_TRUE(window->exercise().EditMode) << "the opened file is edited further";
}

// A save that fails tells why, leaves the file as it was and the work unsaved.
TEST_F(MainWindowTask, AFailedSaveIsToldWithItsReasonAndTheWorkStaysUnsaved)
{
    start();
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();
    window->NoteHandler(0, 144, 48, 90);
    const std::filesystem::path target = write("kept.xml", "old");
    std::filesystem::permissions(target, std::filesystem::perms(0444));
    std::vector<std::string> told;
    answerEveryMessage(&told);
    QTimer::singleShot(0, [target] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            dialog->selectFile(QString::fromStdString(target.string()));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    EXPECT_FALSE(window->SaveExercise());
    settle();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(),
              "Не сохранено|Упражнение не сохранено.\nНе удалось записать файл " + target.string()
                  + ": the file is read-only");
    EXPECT_EQ(read(target), "old");
    EXPECT_NE(window->exercise().FileName, target.string());
    EXPECT_FALSE(window->mayLeaveLesson()) << "still unsaved: the question comes, and is cancelled";
}

TEST_F(MainWindowTask, TheParametersDialogPausesTheLessonWhileOpen)
{
    start();
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();
    bool pausedInside = false;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        opened = dialog && dialog->objectName() == "TfSetParms";
        pausedInside = window->paused();
        if (dialog)
            dialog->close();
    });
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(pausedInside);
    EXPECT_FALSE(window->paused());
}

TEST_F(MainWindowTask, PlaybackRunsOnItsTimerAndStopsWithNoteOffs)
{
    start();
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\Cadence-example.xml", "");
    settle();
    auto *play = child<QToolButton>("tbPlayEx");
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_TRUE(play->isChecked());
    auto *timer = window->findChild<QTimer *>("tiplay");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    // A loaded machine may fire the first tick late: wait for the chord, not for a time.
    EXPECT_TRUE(QTest::qWaitFor([&] { return (lastSent() & 0xf0u) == 0x90u; }, 5000))
        << "the first chord sounds";
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_FALSE(play->isChecked());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(lastSent() & 0xf0u, 0x80u) << "the notes still sounding are switched off";
}

// The errors are the document's: counted after each note whether or not anything was drawn, and
// the same at any window size and scroll position.
TEST_F(MainWindowTask, ErrorCountsFollowTheDocumentNotTheDrawing)
{
    start();
    openExercise("free.xml", CadenceExercise(""));
    for (int note : ParallelNotes) {
        window->NoteHandler(0, 144, note, 90);
        window->NoteHandler(0, 128, note, 0);
    }
    const HarExercis &ex = window->exercise();
    ASSERT_TRUE(ex.part(0).Done);
    // The octaves into S and the step into D, as `partwriter-cli enter` counts them.
    const int errors = 2;
    EXPECT_EQ(ex.part(0).Errors, errors) << "counted before any repaint";

    settle();
    EXPECT_EQ(ex.part(0).Errors, errors);
    window->resize(800, 600);
    settle();
    EXPECT_EQ(ex.part(0).Errors, errors) << "a smaller window";
    window->ScrollBy(2);
    settle();
    EXPECT_EQ(ex.part(0).Errors, errors) << "scrolled";
    window->resize(1600, 1000);
    settle();
    EXPECT_EQ(ex.part(0).Errors, errors) << "a larger window";
}

// The octaves into the last chord are counted when the iteration closes by itself: mode 0 counts
// it as done with mistakes, mode 1 waits.
TEST_F(MainWindowTask, AFaultInTheLastChordCountsWhenTheIterationClosesByItself)
{
    const std::vector<int> lastChordOctaves {48, 55, 60, 64, 41, 57, 60, 65, 43, 55, 59, 62, 48, 60, 64, 67};
    start();
    openExercise("last.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"1\""));
    play(lastChordOctaves);
    settle();
    EXPECT_TRUE(child<QLabel>("lWhy")->text().startsWith("Попытка 1 из 1: с ошибками"));
    key(Qt::Key_Space);
    ASSERT_TRUE(resultShown());
    EXPECT_EQ(window->task().Successes, 0);
    EXPECT_EQ(mark(), "2");

    openExercise("last.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"1\""));
    child<QToolButton>("tbTaskAutoCompleteSuccess")->click();
    play(lastChordOctaves);
    settle();
    EXPECT_FALSE(resultShown()) << "mode 1 waits for the mistake to be mended";
    EXPECT_EQ(window->task().Attempts, 0);
    key(Qt::Key_Return);
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_EQ(window->task().Successes, 0);
}

// Undo works the completion out again: mode 2's Enter does not count an unwritten part as done.
TEST_F(MainWindowTask, UndoneNotesAreNoLongerHandedInAsComplete)
{
    start();
    openExercise("undo.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"2\""));
    child<QToolButton>("tbTaskAutoCompleteNever")->click();
    play(CadenceNotes);
    ASSERT_TRUE(window->exercise().part(0).Done);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(window->exercise().part(0).Done);
    std::string asked;
    closeNextMessage(&asked, QMessageBox::Yes);
    key(Qt::Key_Return);
    EXPECT_EQ(asked, "Сдать решение|Сдать незаконченное решение?");
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_EQ(window->task().Successes, 0);
}

// Enter on an unfinished attempt asks first; "No" hands nothing in, and the piano's next button
// asks the same.
TEST_F(MainWindowTask, AnUnfinishedAttemptIsHandedInOnlyWhenConfirmed)
{
    start();
    openExercise("timed.xml", CadenceExercise("LimitMin=\"5\" CountIteration=\"2\""));
    play({48, 55, 60, 64});
    std::string asked;
    closeNextMessage(&asked, QMessageBox::No);
    key(Qt::Key_Return);
    EXPECT_EQ(asked, "Сдать решение|Сдать незаконченное решение?");
    EXPECT_EQ(window->task().Attempts, 0);
    EXPECT_EQ(window->exercise().part(0).CurTact, 0) << "the staff is kept";

    closeNextMessage(&asked, QMessageBox::Yes);
    QTest::mouseClick(child<QWidget>("bNextPart"), Qt::LeftButton);
    settle();
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_EQ(window->task().Successes, 0);
}

// "+" of the main keyboard comes as "=" or as Shift with "+"; both raise the octave.
TEST_F(MainWindowTask, BothFormsOfTheMainKeyboardsPlusRaiseTheOctave)
{
    start();
    openExercise("plus.xml", CadenceExercise(""));
    HarExercis &ex = window->exercise();
    const int voice = ex.CurrentVoice();
    ex.OctOffset[static_cast<std::size_t>(voice)] = 0;
    key(Qt::Key_Equal);
    EXPECT_EQ(ex.OctOffset[static_cast<std::size_t>(voice)], 1);
    ex.OctOffset[static_cast<std::size_t>(voice)] = 0;
    key(Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(ex.OctOffset[static_cast<std::size_t>(voice)], 1);
    key(Qt::Key_Minus);
    EXPECT_EQ(ex.OctOffset[static_cast<std::size_t>(voice)], 0);
}

// A red label says why: the piano panel's line for the chord just written, and the tooltip of the
// label on the staff.
TEST_F(MainWindowTask, AFaultyChordTellsWhyInThePanelAndOnItsLabel)
{
    start();
    openExercise("why.xml", CadenceExercise(""));
    for (int note : {48, 55, 60, 66}) { // C3 G3 C4 F sharp 4
        window->NoteHandler(0, 144, note, 90);
        window->NoteHandler(0, 128, note, 0);
    }
    settle();
    const QString advice = child<QLabel>("lWhy")->text();
    EXPECT_TRUE(advice.contains("сопрано")) << advice.toStdString();

    const auto &spots = child<TStaffBox>("pb")->labelSpots();
    ASSERT_FALSE(spots.empty()) << "the red \"?\" is a spot";
    const QPoint at((spots.front().left + spots.front().right) / 2,
                    (spots.front().top + spots.front().bottom) / 2);
    auto *staff = child<QWidget>("pb");
    QHelpEvent help(QEvent::ToolTip, at, staff->mapToGlobal(at));
    QApplication::sendEvent(staff, &help);
    EXPECT_TRUE(QToolTip::text().contains("сопрано")) << QToolTip::text().toStdString();

    // A correct chord at the cursor clears the line.
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\why.xml", "");
    settle();
    for (int note : {48, 55, 60, 64}) {
        window->NoteHandler(0, 144, note, 90);
        window->NoteHandler(0, 128, note, 0);
    }
    settle();
    EXPECT_FALSE(child<QLabel>("lWhy")->text().contains("берёт звук")) << "no reasons for a correct chord";
}

// After a click in the course tree the tree has the focus: the keys of the exercise work all the
// same, the length shortcuts and notes alike.
TEST_F(MainWindowTask, TheExercisesKeysWorkWhicheverWidgetHasTheFocus)
{
    start();
    openExercise("keys.xml", CadenceExercise(""));
    auto *tree = child<QWidget>("tvMenu");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_8);
    settle();
    EXPECT_EQ(window->exercise().CurrentLength(), 16);
    QTest::keyClick(tree, Qt::Key_P, Qt::ControlModifier);
    settle();
    EXPECT_EQ(window->exercise().CurrentDot(), 1);
    QTest::keyClick(tree, Qt::Key_4);
    const int before = window->exercise().InsertCount;
    QTest::keyClick(tree, Qt::Key_A);
    settle();
    EXPECT_EQ(window->exercise().InsertCount, before + 1) << "a note key";
    QTest::keyClick(tree, Qt::Key_Space);
    settle();
    EXPECT_EQ(window->lessonType(), "MusHarmonyExercise") << "Space does not choose a tree node";
}

// Moving to another part redraws the staff, so the cursor shows where the next note goes.
TEST_F(MainWindowTask, AChangeOfPartRedrawsTheCursor)
{
    start();
    openExercise("two.xml",
                 "<MExercise Def=\"TSD major\"><Part Key0=\"4\" Key1=\"1\"><Tonality type=\"1\" val=\"0\"/>"
                 "<Size chi=\"4\" zna=\"8\"/></Part><Part Key0=\"4\" Key1=\"1\"><Tonality type=\"1\" "
                 "val=\"0\"/><Size chi=\"4\" zna=\"8\"/></Part></MExercise>");
    auto *staff = child<TStaffBox>("pb");
    QSignalSpy painted(staff, &TStaffBox::painted);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(window->exercise().CurPart, 1);
    EXPECT_GE(painted.count(), 1);
    painted.clear();
    QTest::mouseClick(child<QToolButton>("tbPrevPart"), Qt::LeftButton);
    settle();
    EXPECT_EQ(window->exercise().CurPart, 0);
    EXPECT_GE(painted.count(), 1);
}

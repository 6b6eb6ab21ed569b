#pragma once

#include "config/localization.h"
#include "config/settings_file.h"
#include "config/tdm.h"
#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "entry/entry_view.h"
#include "midi/midi_trace.h"
#include "platform/qpainter_canvas.h"
#include "platform/qt_ui.h"
#include "platform/random.h"
#include "shell/lesson_kind.h"
#include "shell/note_router.h"
#include "shell/task_flow.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QScrollBar;
class QSplitter;
class QToolBar;
class QToolButton;

namespace pw {

class ExerciseChecker;
class ExercisePlayer;
class MParms;
class MidiInputBridge;
class NoteEntry;
class ProgressLog;
class QtTickTimer;
class SelectedOutputs;
class TBottomNotes;
class TBottomQuest;
class TBottom3D;
class Tform3d;
class AddGrafs;
class TQuestList;
class TQuestView;
class TBottomPiano;
class TCourseTrees;
class TPagePane;
class TResultPanel;
class TStaffBox;
class TVideoPane;
class TfKeys;
struct TCourseLesson;

// The main window: owns the run's settings, texts, notation parameters, exercise document, task
// record and MIDI road, and arranges the panes of the lesson in hand. Its members are defined in
// main_window*.cpp by concern: start-up and MIDI, toolbar and state, lessons and panes, keys.
class TForm1 : public QMainWindow, private TaskFlowView
{
    Q_OBJECT
public:
    explicit TForm1(Tdm tdm);
    ~TForm1() override;

    // The start-up sequence. False when the program must end (an unknown argument, already
    // reported in the "Fatal error" box, or unusable notation parameters).
    bool Start(const std::vector<std::string> &arguments);

    // The road of every note event (MIDI keyboard, computer keyboard, on-screen piano).
    void NoteHandler(int device, int status, int data1, int data2);
    void OpenLesson(LessonKind kind, const std::string &file, const std::string &title);
    // Opens a lesson chosen in the course tree, with its parameters and pause page.
    void OpenCourseLesson(const TCourseLesson &lesson);
    void ShowPage(const std::string &name);
    // The first start's page: what the program is, the key map beside it, where to begin, and
    // (without a MIDI input) that the computer keys and the piano under the staff play notes.
    void ShowWelcome();
    void OpenSelectedDevices();
    void MidiDialog();
    void NoMidiCheck();
    void ToggleTrace();
    void RefreshState();
    void ScrollBy(int rows);
    void NextPart();
    void PauseToggle();
    void CompleteTask();
    void ShowExerciseResult() override;
    void OpenExercise();
    // True when the exercise was saved.
    bool SaveExercise();
    // Whether the lesson in hand may be left now: unsaved authoring work asks Save / Discard /
    // Cancel first.
    bool mayLeaveLesson();
    void SetParmsDialog();
    // Asks for a file name and writes every part with its analysis there as MusicXML; true when
    // written. A failed write is told with the system's reason.
    bool ExportMusicXml();
    void AboutDialog();
    // Shows the computer-key map over the lower part of the main area, or closes it.
    void ToggleKeyMap();

    const Tdm &data() const { return m_tdm; }
    HarExercis &exercise() { return *m_exercise; }
    TimerArea &task() { return m_task; }
    SettingsFile &settings() { return *m_settings; }
    TCourseTrees &courseTrees() { return *m_trees; }
    LessonKind lessonKind() const { return m_lesson; }
    std::string lessonType() const { return std::string(LessonTypeName(m_lesson)); }
    bool soundOn() const { return m_soundOn; }
    bool paused() const { return m_paused; }
    bool ResultShown() const override;
    // The task flow's countdown, as Timer1 runs it each second.
    void CountdownTick();
    // Ends a scored test: unforced (its finish button) it first goes to the first empty box, if any.
    void FinishQuestionnaire(bool forced);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class StaffEntryView;
    enum class Panes { None, Staff, Page, Video, Quest, Scene };

    // main_window.cpp
    void buildWindow();
    RoutingState routingState() const;
    void harmonyNote(int note);
    void toggleSound();
    void saveSettings();
    void reportError(const std::string &caption, const std::function<void()> &action);

    // main_window_toolbar.cpp
    void buildToolbar();
    void buildShortcuts();
    QToolButton *toolButton(const char *name, const QString &caption, const std::string &hintId);
    QAction *shortcut(const char *name, const QKeySequence &keys, std::function<void()> action);
    void setLength(int length, int dot);
    void toggleDot();
    void selectVoice(int voice);
    void undo();
    void refreshHarmonyButtons();

    // main_window_lessons.cpp
    void openHarmony();
    void openVideo();
    void openUnavailable();
    // The links of the program's own pages (partwriter:WHAT).
    void programLink(const QString &what);
    void ResetVideo();
    void createPianoPanel();
    void freeLowerPanel();
    void arrange(Panes panes);
    void FormResize();
    // After every change of the exercise document, once the checking pass has run.
    void exerciseChecked(ExerciseChange kind);
    // Why the chord of an analysis note is wrong, one sentence a line, in the interface language;
    // empty for a correct chord and while an exam hides its analysis.
    QString reasonsOf(int part, XmlNode analysisNote, const QString &separator);
    // The piano panel's line for the chord at the cursor.
    void refreshAdvice();
    void afterStaffPaint();
    void printPage();
    void hideResult();

    // main_window_keys.cpp
    // The key handler in its order; true when the key was consumed.
    bool handleKey(int key, Qt::KeyboardModifiers mods, bool autoRepeat);
    void lessonKey(int key, Qt::KeyboardModifiers mods, bool autoRepeat);
    void afterEdit(int rows);
    bool browserKeyFilter(QEvent *event);
    bool exerciseKeyEvent(QObject *watched, QKeyEvent *event);
    void keyReleased(const QKeyEvent &event);

    // TaskFlowView
    void RepaintStaff() override;
    void EvaluateLater() override;
    void ShowReview(int attempt, int iterations, bool successful) override;
    void HideReview() override;
    void ExamPartsDone() override;
    void RefreshCounters() override;
    void ExerciseReloaded() override;

    bool harmonyShown() const { return m_lesson == LessonKind::HarmonyExercise; }

    // The note-naming drill (main_window_drill.cpp).
    void openDrill();
    void createNotesPanel();
    void sendDrillMessage(int status, int data1, int data2);
    void ShowDrillResult();
    bool drillMouseEvent(QObject *watched, QEvent *event);

    // Questionnaires and task sheets (main_window_quest.cpp).
    void openQuest();
    void createQuestPanel();
    void freeQuest();
    void fitQuestWidth();
    void scrollQuest();
    void playQuestSound(int place);
    void questTick();
    // 3D lessons (main_window_scene.cpp).
    void openScene();
    void freeScene();
    // A digit key of a 3D lesson; true when it was one (whether or not it chose a view).
    bool sceneKey(int key);
    void refreshSceneCounter();
    // The progress log and the "My results" page (main_window_results.cpp).
    // Records the lesson in hand as finished, once its result is shown.
    void recordResult(std::optional<int> mark, int attempts, int errors);
    void openResults();
    void exportResults();

    bool questShown() const
    {
        return m_lesson == LessonKind::Questionnaire || m_lesson == LessonKind::QuestionSheet;
    }

    Tdm m_tdm;
    QtUi m_ui;
    QtBitmapLoader m_bitmaps;
    StdRandom m_random;
    std::unique_ptr<MParms> m_parms;
    std::unique_ptr<SettingsFile> m_settings;
    Localization m_texts;
    TimerArea m_task;
    QtTickTimer *m_timer1 = nullptr;
    std::unique_ptr<HarExercis> m_exercise;
    std::unique_ptr<ExerciseChecker> m_checker;
    std::unique_ptr<TaskFlow> m_flow;
    std::unique_ptr<StaffEntryView> m_entryView;
    std::unique_ptr<NoteEntry> m_entry;
    MidiTrace m_trace;
    std::mutex m_noteLock;
    std::unique_ptr<NoteRouter> m_router;
    MidiInputBridge *m_bridge = nullptr;
    std::unique_ptr<QtTickTimer> m_playTimer;
    std::unique_ptr<SelectedOutputs> m_playSink;
    std::unique_ptr<ExercisePlayer> m_player;
    std::unique_ptr<ProgressLog> m_progress;

    std::vector<bool> m_inputSelected;
    bool m_hasOutput = false;
    bool m_soundOn = false;
    bool m_paused = false;
    int m_keysActive = 0;
    bool m_needsLayout = true;
    bool m_openDialogActive = false;
    bool m_evaluationQueued = false;
    // The authoring template holds changes not saved yet.
    bool m_unsaved = false;
    bool m_noMidiNoticeShown = false;
    int m_lastKeyNote = -100;
    int m_videoVolume = 5000;
    LessonKind m_lesson = LessonKind::None;
    std::string m_lessonFile;
    std::string m_lessonTitle;
    std::string m_pauseFile;
    XmlNode m_lessonParm;
    std::string m_questMessage;
    QString m_reviewText;
    // What the exercise asks the student to write, from the lesson item.
    QString m_lessonTask;
    std::string m_questHeader;
    Panes m_panes = Panes::None;

    QToolBar *m_toolbar = nullptr;
    std::map<std::string, QToolButton *> m_buttons;
    // A widget in a toolbar is shown and hidden through its action.
    std::map<std::string, QAction *> m_buttonActions;
    std::map<std::string, QAction *> m_separators;
    std::map<std::string, QAction *> m_actions;
    QSplitter *m_splitter = nullptr;
    QWidget *m_menuPanel = nullptr;
    TCourseTrees *m_trees = nullptr;
    QWidget *m_mainArea = nullptr;
    TStaffBox *m_staff = nullptr;
    QScrollBar *m_scroll = nullptr;
    QWidget *m_lowerArea = nullptr;
    QWidget *m_p3d = nullptr;
    TPagePane *m_page = nullptr;
    TResultPanel *m_result = nullptr;
    TVideoPane *m_video = nullptr;
    TBottomPiano *m_piano = nullptr;
    TBottomNotes *m_notes = nullptr;
    TBottomQuest *m_questPanel = nullptr;
    // The 3D lesson's drawing window (which owns its scene engine) and its lower panel.
    Tform3d *m_form3d = nullptr;
    TBottom3D *m_bottom3d = nullptr;
    QScrollBar *m_questBar = nullptr;
    // The test in hand, then its panels, which read it.
    // The overlay kinds of sys.xml, read with the questionnaire parameters.
    std::unique_ptr<AddGrafs> m_grafs;
    std::unique_ptr<TQuestList> m_quest;
    std::unique_ptr<TQuestView> m_questView;
    QPointer<TfKeys> m_keyMap;
};

} // namespace pw

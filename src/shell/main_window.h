#pragma once

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "entry/entry_view.h"
#include "midi/midi_trace.h"
#include "platform/qpainter_canvas.h"
#include "platform/qt_ui.h"
#include "platform/random.h"
#include "shell/localization.h"
#include "shell/note_router.h"
#include "shell/settings_file.h"
#include "shell/tdm.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QScrollBar;
class QToolBar;
class QToolButton;
class QSplitter;

namespace pw {

class MParms;
class MidiInputBridge;
class NoteEntry;
class TStaffBox;

// The main window: owns the run's settings, texts, notation parameters, exercise document, task
// record, MIDI road and the panes of the lesson in hand.
class TForm1 : public QMainWindow
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
    void OpenLesson(const std::string &type, const std::string &file, const std::string &title);
    void OpenSelectedDevices();
    void MidiDialog();
    void NoMidiCheck();
    void ToggleTrace();
    void RefreshState();
    void ScrollBy(int rows);

    const Tdm &data() const { return m_tdm; }
    HarExercis &exercise() { return *m_exercise; }
    SettingsFile &settings() { return *m_settings; }
    bool soundOn() const { return m_soundOn; }
    bool paused() const { return m_paused; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class StaffEntryView;

    void buildWindow();
    void buildToolbar();
    QToolButton *toolButton(const char *name, const QString &caption, const std::string &hintId,
                            const std::string &fallbackHint = {});
    void applyLocalisedTexts();
    RoutingState routingState() const;
    void harmonyNote(int note);
    void afterEdit(int rows);
    void toggleSound();
    void saveSettings();
    bool harmonyShown() const { return m_lessonType == "MusHarmonyExercise"; }

    Tdm m_tdm;
    QtUi m_ui;
    QtBitmapLoader m_bitmaps;
    StdRandom m_random;
    std::unique_ptr<MParms> m_parms;
    std::unique_ptr<SettingsFile> m_settings;
    Localization m_texts;
    TimerArea m_task;
    std::unique_ptr<HarExercis> m_exercise;
    std::unique_ptr<StaffEntryView> m_entryView;
    std::unique_ptr<NoteEntry> m_entry;
    MidiTrace m_trace;
    std::mutex m_noteLock;
    std::unique_ptr<NoteRouter> m_router;
    MidiInputBridge *m_bridge = nullptr;

    std::vector<bool> m_inputSelected;
    bool m_hasOutput = false;
    bool m_soundOn = false;
    bool m_paused = false;
    int m_lastKeyNote = -100;
    std::string m_lessonType;
    std::string m_lessonFile;
    std::string m_lessonTitle;
    std::string m_caption;

    QToolBar *m_toolbar = nullptr;
    std::map<std::string, QToolButton *> m_buttons;
    QSplitter *m_splitter = nullptr;
    QWidget *m_menuPanel = nullptr;
    QWidget *m_mainArea = nullptr;
    TStaffBox *m_staff = nullptr;
    QScrollBar *m_scroll = nullptr;
    QWidget *m_lowerArea = nullptr;
};

} // namespace pw

#pragma once

#include "document/exercise_change.h"
#include "panels/piano_layout.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

class QLabel;

namespace pw {

class HarExercis;
class Localization;
class NoteEntry;
class TimerArea;
class TOctaveImage;
class TPictureButton;

// What the piano panel asks of the main window. The panel keeps no exercise state of its own:
// notes go the MIDI road, buttons go the keyboard road, so every input reaches note entry alike.
struct PianoCallbacks
{
    // The main window's MIDI-input handler (device, status, data1, data2).
    std::function<void(int, int, int, int)> NoteHandler;
    // The main window's key handler, with a Qt::Key and its modifiers.
    std::function<void(int, Qt::KeyboardModifiers)> KeyHandler;
    // The pause toggle of the lesson flow.
    std::function<void()> PauseToggle;
    // Closes the current iteration and judges it.
    std::function<void()> CompleteTask;
};

// The lower panel of harmony exercises: a five-octave piano played with the mouse, buttons for the
// cursor, voice and undo keys, pause and next, the computer-key letters with their octave shift,
// and the task counters. Its buttons follow every change of the exercise document by themselves.
class TBottomPiano : public QWidget, private ExerciseListener
{
public:
    // Pictures are read from exeDir/res. The references must outlive the panel.
    TBottomPiano(HarExercis &exercise, const NoteEntry &entry, const TimerArea &task,
                 const std::filesystem::path &exeDir, PianoCallbacks callbacks, QWidget *parent = nullptr);
    ~TBottomPiano() override;

    // Counter captions and hints from the "BottomQuest" texts; the completion-mode line reads them
    // later too, so texts must outlive the panel.
    void SetTexts(const Localization &texts);
    // Counter labels, the mode line, and the pause and next buttons.
    void ShowCounters(bool on);
    void RefreshCounters();
    // Brings every picture in line with the document, the pause state and the mouse.
    void RefreshButtons();
    // The completion-mode line: 0 automatic, 1 automatic without mistakes, 2 by the next button.
    void SetCompletionMode(int mode);
    // The time display, for clearing it or showing "00:00" once the result is up.
    void SetTimeText(const QString &text);
    // The line that says why the chord at the cursor is wrong; empty for a correct one.
    void SetAdvice(const QString &text, bool fault = true);
    QString Advice() const;

    // Shows the key of a MIDI note pressed while it sounds, whoever plays it; notes outside the
    // five octaves (36..95) are ignored.
    void SetSounding(int midiNote, bool sounding);
    bool Sounding(int midiNote) const;

    void SetPaused(bool paused);
    bool Paused() const { return m_paused; }
    void SetPauseEnabled(bool enabled);
    void SetNextEnabled(bool enabled);

    bool LettersShown() const { return m_letters; }
    // The octave shift of the current voice for the computer keyboard (iPLus, iMinus and the
    // main window's plus and minus keys).
    void OctaveUp();
    void OctaveDown();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ExerciseChanged(ExerciseChange kind, int part) override;

    void createPiano();
    void createButtons();
    void createCounters();
    TPictureButton *stateButton(const char *name, const std::string &pictures);
    TPictureButton *switchButton(const char *name, const std::string &pictures);
    void applyLayout();
    QPixmap loadPicture(std::string_view name) const;

    void pianoPressed(int octave, int x, int y);
    void pianoReleased();
    void sendKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void changeOctave(int (*toggle)(int, int));
    void hoverChanged(TPictureButton *button, bool inside);

    void showStateButton(TPictureButton *button, const std::string &pictures, bool possible);
    void refreshOctavePictures();
    int currentVoice() const;

    HarExercis &m_exercise;
    const NoteEntry &m_entry;
    const TimerArea &m_task;
    const Localization *m_texts = nullptr;
    std::filesystem::path m_resDir;
    PianoCallbacks m_callbacks;

    std::array<TOctaveImage *, 5> m_octaves {};
    QLabel *m_firstOctave = nullptr;
    TPictureButton *m_pause = nullptr;
    TPictureButton *m_next = nullptr;
    TPictureButton *m_left = nullptr;
    TPictureButton *m_up = nullptr;
    TPictureButton *m_down = nullptr;
    TPictureButton *m_right = nullptr;
    TPictureButton *m_undo = nullptr;
    TPictureButton *m_letter = nullptr;
    TPictureButton *m_minus = nullptr;
    TPictureButton *m_plus = nullptr;
    TPictureButton *m_hovered = nullptr;

    struct Counter
    {
        QLabel *caption;
        QLabel *value;
    };
    std::array<Counter, 5> m_counters {};
    QLabel *m_time = nullptr;
    QLabel *m_regim = nullptr;
    QLabel *m_why = nullptr;
    int m_mode = 0;
    PianoLayout m_layout;

    int m_lastNote = -1;
    bool m_paused = false;
    bool m_letters = false;
    bool m_buttonsVisible = true;
    bool m_pauseEnabled = true;
    bool m_nextEnabled = true;
};

} // namespace pw

// The keyboard: the main window sees every key of a lesson and hands notes to the note road.

#include "shell/main_window.h"

#include "entry/computer_keys.h"
#include "entry/note_entry.h"
#include "harmony/definitor.h"
#include "midi/midi_message.h"
#include "panels/bottom_piano.h"
#include "shell/page_pane.h"
#include "shell/staff_box.h"
#include "staff/mparms.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace pw {

namespace {

constexpr Qt::KeyboardModifiers AllThree = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
// Notes of the computer keyboard come as from MIDI input 1.
constexpr int KeyboardDevice = 1;
constexpr int KeyVelocity = 50;
constexpr int KeyReleaseVelocity = 5;

} // namespace

void TForm1::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (!handleKey(event->key(), mods, event->isAutoRepeat()))
        QMainWindow::keyPressEvent(event);
}

bool TForm1::handleKey(int key, Qt::KeyboardModifiers mods, bool autoRepeat)
{
    if (mods == Qt::AltModifier && key == Qt::Key_F4) {
        close();
        return false;
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_Z) {
        undo();
        return false;
    }
    if (mods == AllThree && key == Qt::Key_F1) {
        ToggleTrace();
        return true;
    }
    if (mods == Qt::NoModifier && key == Qt::Key_F1) {
        ToggleKeyMap();
        return true;
    }
    if (mods == AllThree && key == Qt::Key_F2) {
        m_parms->Definitor().Reload();
        m_ui.message("перечитан", "Definitor:");
        return true;
    }
    if (harmonyShown() && m_flow->ExamKey())
        return true;
    if (key == Qt::Key_Space && mods == Qt::NoModifier) {
        if (ResultShown())
            m_ui.message(m_questHeader, m_questMessage);
        else if (harmonyShown() && m_flow->Reviewing())
            CompleteTask();
        else if (!autoRepeat)
            PauseToggle();
        return false;
    }
    if (m_keysActive != 1)
        return false;
    lessonKey(key, mods, autoRepeat);
    RefreshState();
    return true;
}

void TForm1::lessonKey(int key, Qt::KeyboardModifiers mods, bool autoRepeat)
{
    if (m_lesson == LessonKind::Scene3D && mods == Qt::NoModifier && !m_paused) {
        sceneKey(key);
        return;
    }
    if (!harmonyShown() || m_paused)
        return;
    // "+" and "-" of either keyboard: on the main one "+" is "=" or Shift with "=" ("+"), and
    // Shift belongs to the key there.
    const bool plainOrShift = mods == Qt::NoModifier || mods == Qt::ShiftModifier;
    if (plainOrShift && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
        if (m_piano)
            m_piano->OctaveUp();
        return;
    }
    if (mods == Qt::NoModifier && key == Qt::Key_Minus) {
        if (m_piano)
            m_piano->OctaveDown();
        return;
    }
    if (mods == Qt::ShiftModifier) {
        if (key == Qt::Key_Down)
            NextPart();
        else if (key == Qt::Key_Up)
            afterEdit(m_entry->PartUp());
        return;
    }
    if (mods == Qt::AltModifier) {
        if (key == Qt::Key_B) {
            m_entry->ToggleExemption();
            afterEdit(0);
        }
        return;
    }
    if (mods != Qt::NoModifier)
        return;
    switch (key) {
    case Qt::Key_Right:
        afterEdit(m_entry->CursorRight());
        return;
    case Qt::Key_Left:
        afterEdit(m_entry->CursorLeft());
        return;
    case Qt::Key_Up:
        afterEdit(m_entry->VoiceUp());
        return;
    case Qt::Key_Down:
        afterEdit(m_entry->VoiceDown());
        return;
    case Qt::Key_Delete:
        if (m_exercise->EditMode) {
            m_entry->DeleteNoteAtCursor();
            afterEdit(0);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_task.TimerMode == 1)
            CompleteTask();
        return;
    default:
        break;
    }
    // A held key repeats; a note is entered once per press.
    if (autoRepeat)
        return;
    m_lastKeyNote = -100;
    const int voice = m_exercise->CurrentVoice();
    const int note = NoteFromKey(key, voice);
    if (note >= -24 && voice >= 0) {
        m_lastKeyNote = note + 12 * m_exercise->OctOffset[static_cast<std::size_t>(voice)] + 57;
        NoteHandler(KeyboardDevice, midi::NoteOn, m_lastKeyNote, KeyVelocity);
    } else if (note == RestNote && !m_flow->Reviewing()) {
        if (m_entry->InsertNote(m_exercise->CurrentLength(), -1, m_exercise->CurrentDot()) == 0)
            afterEdit(m_entry->AdvanceAfterInsert());
        else
            afterEdit(0);
    }
}

void TForm1::afterEdit(int rows)
{
    ScrollBy(rows);
    m_staff->update();
}

void TForm1::keyReleaseEvent(QKeyEvent *event)
{
    keyReleased(*event);
    QMainWindow::keyReleaseEvent(event);
}

void TForm1::keyReleased(const QKeyEvent &event)
{
    // The last note a key played is switched off by every key release; a repeated note-off is
    // harmless, a missing one leaves a note hanging.
    if (!event.isAutoRepeat() && harmonyShown() && !m_paused && m_lastKeyNote != -100)
        NoteHandler(KeyboardDevice, midi::NoteOff, m_lastKeyNote, KeyReleaseVelocity);
}

namespace {

// Widgets that take typed text keep their keys.
bool takesText(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QTextEdit *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget))
        return true;
    const auto *combo = qobject_cast<const QComboBox *>(widget);
    return combo && combo->isEditable();
}

} // namespace

// While a harmony exercise is shown every key of the exercise works, whichever widget of the
// window has the focus (the course tree after a click, a button): the keys go to the exercise,
// the shortcuts of the hidden menu included.
bool TForm1::exerciseKeyEvent(QObject *watched, QKeyEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !harmonyShown() || widget->window() != this || QApplication::activeModalWidget()
        || takesText(widget) || widget == m_page || m_page->isAncestorOf(widget))
        return false;
    if (event->type() == QEvent::KeyRelease) {
        keyReleased(*event);
        return true;
    }
    const QKeySequence pressed(event->keyCombination());
    for (const auto &[name, action] : m_actions) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
            if (action->isEnabled())
                action->trigger();
            return true;
        }
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    handleKey(event->key(), mods, event->isAutoRepeat());
    return true;
}

// Space released in a page pane showing the lesson's pause page ends the pause.
bool TForm1::browserKeyFilter(QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Space || key->isAutoRepeat() || m_pauseFile.empty() || m_page->isHidden())
        return false;
    PauseToggle();
    return true;
}

} // namespace pw

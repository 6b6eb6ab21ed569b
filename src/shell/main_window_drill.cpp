// The note-naming drill in the main window: its lower panel, its drawing in the paint box, its
// clicks, its countdown and its result.

#include "shell/main_window.h"

#include "midi/device_selection.h"
#include "midi/shared_midi.h"
#include "panels/bottom_notes.h"
#include "platform/error.h"
#include "platform/qt_text.h"
#include "shell/result_panel.h"
#include "shell/staff_box.h"

#include <QMouseEvent>

namespace pw {

void TForm1::openDrill()
{
    ResetVideo();
    reportError("MIDI", [this] { OpenSelectedDevices(); });
    arrange(Panes::Staff);
    m_staff->setShowExercise(false);
    m_staff->setMouseTracking(true);
    createNotesPanel();
    // A drill with a pause page opens on it and starts when the page is left; without one it
    // starts at once.
    if (!m_pauseFile.empty())
        PauseToggle();
    else if (m_notes)
        m_notes->Continue();
}

void TForm1::createNotesPanel()
{
    freeLowerPanel();
    NotesCallbacks callbacks;
    callbacks.SendToOutputs = [this](int s, int d1, int d2) { sendDrillMessage(s, d1, d2); };
    callbacks.NoteHandler = [this](int d, int s, int k, int v) { NoteHandler(d, s, k, v); };
    callbacks.RepaintArea = [this] { m_staff->update(); };
    callbacks.ShowDrillResult = [this] { ShowDrillResult(); };
    m_notes = new TBottomNotes(m_task, m_random, std::move(callbacks), m_lowerArea);
    m_notes->SetTexts(m_texts);
    m_notes->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->height());
    m_notes->show();
    m_staff->setPainter([this](Canvas &canvas) {
        if (m_notes)
            m_notes->Paint(canvas);
    });
    reportError("Ошибка", [this] {
        m_notes->SetUp(m_lessonParm, m_tdm.DataDir, m_bitmaps, m_staff->width(), m_staff->height());
    });
    m_staff->update();
    m_mainArea->setFocus();
}

void TForm1::sendDrillMessage(int status, int data1, int data2)
{
    std::lock_guard guard(m_noteLock);
    // Traced as the messages of the note road are, once for each output they go to.
    for (std::size_t device = 0; device < m_router->OutputSelected.size(); ++device) {
        if (m_router->OutputSelected[device])
            m_trace.Write(static_cast<int>(device), status, data1, data2);
    }
    EchoToOutputs(SharedMidiOutput(), m_router->OutputSelected, status, data1, data2);
}

void TForm1::ShowDrillResult()
{
    const bool first = !ResultShown();
    m_task.Timer->setEnabled(false);
    if (m_notes)
        m_notes->RefreshCounters();
    m_staff->update();
    m_result->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->y() - 1);
    m_result->SetMark(ToQString(m_task.MarkText()));
    m_result->show();
    m_result->raise();
    m_result->LayoutResult();
    if (first)
        recordResult(m_task.Mark(), m_task.Attempts, m_task.Attempts - m_task.Successes);
}

bool TForm1::drillMouseEvent(QObject *watched, QEvent *event)
{
    if (!m_notes || watched != m_staff || m_paused || m_lesson != LessonKind::NoteDrill)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint();
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        reportError("Ошибка", [&] { m_notes->Click(at.x(), at.y()); });
        RefreshState();
    } else if (event->type() == QEvent::MouseMove) {
        m_staff->setCursor(m_notes->Clickable(at.x(), at.y()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    // The event goes on to its target as well.
    return false;
}

} // namespace pw

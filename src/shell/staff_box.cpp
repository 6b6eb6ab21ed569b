#include "shell/staff_box.h"

#include "document/har_exercis.h"
#include "platform/error.h"
#include "platform/qpainter_canvas.h"
#include "platform/ui.h"
#include "staff/mparms.h"
#include "staff/staff_paint.h"

#include <QHelpEvent>
#include <QToolTip>

namespace pw {

TStaffBox::TStaffBox(HarExercis &exercise, MParms &parms, Ui &ui, QWidget *parent)
    : QWidget(parent)
    , m_exercise(exercise)
    , m_parms(parms)
    , m_ui(ui)
{
    setObjectName("pb");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TStaffBox::setScrollRow(int row)
{
    m_scrollRow = row;
    update();
}

void TStaffBox::setShowExercise(bool show)
{
    m_show = show;
    update();
}

void TStaffBox::paintEvent(QPaintEvent *)
{
    QPainterCanvas canvas(*this);
    canvas.fillWhite();
    m_spots.clear();
    if (m_painter) {
        m_painter(canvas);
        return;
    }
    if (!m_show || m_exercise.Status < 0 || m_exercise.PartCount() == 0)
        return;
    m_parms.SetViewport(0, width(), 0, height());
    try {
        m_drawnRows = PaintAll(m_exercise, canvas, m_parms, m_ui, m_scrollRow, &m_spots);
    } catch (const Error &e) {
        // A drawing error must not take the window down with it.
        m_show = false;
        m_ui.message("Ошибка", e.what());
        return;
    }
    emit painted();
}

bool TStaffBox::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    for (const LabelSpot &spot : m_spots) {
        if (!spot.contains(help->pos().x(), help->pos().y()) || !m_explain)
            continue;
        const QString reasons = m_explain(spot.part, spot.analysisNote);
        if (!reasons.isEmpty()) {
            QToolTip::showText(help->globalPos(), reasons, this);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

} // namespace pw

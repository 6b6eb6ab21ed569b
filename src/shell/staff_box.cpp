#include "shell/staff_box.h"

#include "document/har_exercis.h"
#include "platform/error.h"
#include "platform/qpainter_canvas.h"
#include "platform/ui.h"
#include "staff/mparms.h"
#include "staff/staff_paint.h"

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
    if (!m_show || m_exercise.Status < 0 || m_exercise.PartCount() == 0)
        return;
    m_parms.SetViewport(0, width(), 0, height());
    try {
        m_drawnRows = PaintAll(m_exercise, canvas, m_parms, m_ui, m_scrollRow);
    } catch (const Error &e) {
        // A drawing error must not take the window down with it.
        m_show = false;
        m_ui.message("Ошибка", e.what());
        return;
    }
    emit painted();
}

} // namespace pw

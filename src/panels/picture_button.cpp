#include "panels/picture_button.h"

#include "panels/panel_bitmaps.h"

#include <QPainter>

namespace pw {

TPictureButton::TPictureButton(const QString &objectName, QWidget *parent)
    : QAbstractButton(parent)
{
    setObjectName(objectName);
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize TPictureButton::sizeHint() const
{
    return {panel_bitmaps::ButtonSize, panel_bitmaps::ButtonSize};
}

void TPictureButton::ShowPicture(const std::string &name)
{
    if (!m_pictures.Show(name))
        return;
    setProperty("picture", QString::fromStdString(name));
    update();
}

void TPictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap picture = m_pictures.Current();
    if (!picture.isNull()) {
        painter.drawPixmap(0, 0, picture);
        return;
    }
    // A missing bitmap still shows where the button is.
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TPictureButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    if (onHover)
        onHover(this, true);
}

void TPictureButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    if (onHover)
        onHover(this, false);
}

} // namespace pw

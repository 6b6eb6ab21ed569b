#include "panels/octave_image.h"

#include "panels/piano_geometry.h"

#include <QMouseEvent>
#include <QPainter>

namespace pw {

TOctaveImage::TOctaveImage(const QString &objectName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setFixedSize(piano::OctaveWidth, piano::OctaveHeight);
}

void TOctaveImage::ShowPicture(const std::string &name)
{
    if (!m_pictures.Show(name))
        return;
    setProperty("picture", QString::fromStdString(name));
    update();
}

double TOctaveImage::WhiteKeyWidth() const
{
    return width() / static_cast<double>(piano::WhiteKeyCount);
}

void TOctaveImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap picture = m_pictures.Current();
    if (!picture.isNull())
        painter.drawPixmap(rect(), picture);
    else
        painter.fillRect(rect(), Qt::white);
}

void TOctaveImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onPress) {
        const QPoint at = event->position().toPoint();
        onPress(at.x(), at.y());
    }
}

void TOctaveImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onRelease)
        onRelease();
}

} // namespace pw

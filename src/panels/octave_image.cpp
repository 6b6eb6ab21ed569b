#include "panels/octave_image.h"

#include "panels/piano_geometry.h"

#include <QMouseEvent>
#include <QPainter>

namespace pw {

namespace {

QString faceName(OctaveLetters letters)
{
    const std::string_view face = OctaveFaces[static_cast<std::size_t>(letters)];
    return QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
}

} // namespace

TOctaveImage::TOctaveImage(const QString &objectName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(piano::OctaveWidth, piano::OctaveHeight);
    setProperty("picture", faceName(m_letters));
}

void TOctaveImage::ShowLetters(OctaveLetters letters)
{
    if (letters == m_letters)
        return;
    m_letters = letters;
    setProperty("picture", faceName(letters));
    update();
}

void TOctaveImage::SetPressed(int offset, bool pressed)
{
    if (offset < piano::FirstOffset || offset > piano::LastOffset || Pressed(offset) == pressed)
        return;
    m_pressed.set(static_cast<std::size_t>(offset - piano::FirstOffset), pressed);
    update();
}

bool TOctaveImage::Pressed(int offset) const
{
    return offset >= piano::FirstOffset && offset <= piano::LastOffset
        && m_pressed.test(static_cast<std::size_t>(offset - piano::FirstOffset));
}

double TOctaveImage::WhiteKeyWidth() const
{
    return width() / static_cast<double>(piano::WhiteKeyCount);
}

void TOctaveImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintOctave(painter, size(), m_letters, m_pressed, font());
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

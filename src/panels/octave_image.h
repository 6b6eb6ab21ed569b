#pragma once

#include "panels/octave_painting.h"

#include <QWidget>

#include <functional>

namespace pw {

// One octave of the on-screen piano, painted at whatever size the panel gives it; it hands mouse
// presses and releases to the panel.
class TOctaveImage : public QWidget
{
public:
    TOctaveImage(const QString &objectName, QWidget *parent);

    // Plain keys or the computer-key letters; the face's name is also the "picture" property.
    void ShowLetters(OctaveLetters letters);
    OctaveLetters Letters() const { return m_letters; }
    // Marks the key of a note offset (3 is C, 14 is B) as sounding; other offsets are ignored.
    void SetPressed(int offset, bool pressed);
    bool Pressed(int offset) const;
    // A seventh of the picture's width.
    double WhiteKeyWidth() const;

    std::function<void(int x, int y)> onPress;
    std::function<void()> onRelease;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    OctaveLetters m_letters = OctaveLetters::None;
    OctaveKeys m_pressed;
};

} // namespace pw

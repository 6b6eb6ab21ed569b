#pragma once

#include "panels/picture_set.h"

#include <QWidget>

#include <functional>

namespace pw {

// One octave picture of the on-screen piano; it hands mouse presses and releases to the panel.
class TOctaveImage : public QWidget
{
public:
    TOctaveImage(const QString &objectName, QWidget *parent);

    PictureSet &Pictures() { return m_pictures; }
    void ShowPicture(const std::string &name);
    const std::string &ShownPicture() const { return m_pictures.Shown(); }
    // A seventh of the picture's width.
    double WhiteKeyWidth() const;

    std::function<void(int x, int y)> onPress;
    std::function<void()> onRelease;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    PictureSet m_pictures;
};

} // namespace pw

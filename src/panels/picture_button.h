#pragma once

#include "panels/picture_set.h"

#include <QAbstractButton>

#include <functional>

namespace pw {

// A button drawn entirely by its current picture. The panel decides which picture it shows; the
// button reports the mouse entering and leaving it so that the panel can light it up.
class TPictureButton : public QAbstractButton
{
public:
    TPictureButton(const QString &objectName, QWidget *parent);

    PictureSet &Pictures() { return m_pictures; }
    // Shows the named picture; its name is also the "picture" property, for tests and debugging.
    void ShowPicture(const std::string &name);
    const std::string &ShownPicture() const { return m_pictures.Shown(); }

    std::function<void(TPictureButton *, bool inside)> onHover;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    PictureSet m_pictures;
};

} // namespace pw

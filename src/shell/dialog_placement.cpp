#include "shell/dialog_placement.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace pw {

QRect KeptInside(QRect rect, const QRect &bounds)
{
    rect.setWidth(std::min(rect.width(), bounds.width()));
    rect.setHeight(std::min(rect.height(), bounds.height()));
    rect.moveLeft(std::clamp(rect.left(), bounds.left(), bounds.right() - rect.width() + 1));
    rect.moveTop(std::clamp(rect.top(), bounds.top(), bounds.bottom() - rect.height() + 1));
    return rect;
}

void PlaceCentredOver(QWidget &dialog, const QWidget &anchor)
{
    // The style and the layout settle the size only once polished and activated.
    dialog.ensurePolished();
    if (QLayout *layout = dialog.layout())
        layout->activate();
    dialog.adjustSize();
    // A dialog not shown yet has no frame: take the main window's as its measure.
    const QWidget *window = anchor.window();
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize size = dialog.size() + frame;
    const QPoint origin = anchor.mapToGlobal(QPoint(0, 0));
    QRect wanted(origin.x() + (anchor.width() - size.width()) / 2,
                 origin.y() + (anchor.height() - size.height()) / 2, size.width(), size.height());
    if (const QScreen *screen = anchor.screen())
        wanted = KeptInside(wanted, screen->availableGeometry());
    dialog.resize(wanted.size() - frame);
    dialog.move(wanted.topLeft());
}

} // namespace pw

#include "ui/ownedwindow.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace ui {

void keepWithOwner(QWidget* window, QWidget* owner)
{
    // The relation is between the native windows, made now if they are not yet.
    window->winId();
    owner->winId();
    window->windowHandle()->setTransientParent(owner->windowHandle());
    const auto check = [window = QPointer(window), owner = QPointer(owner)] {
        if (window && owner && window->isMinimized() && owner->isVisible()
            && !owner->isMinimized()) {
            window->showNormal();
            window->raise();
            window->activateWindow();
        }
    };
    // Looked at once the window system's news of both windows has been taken in: a window
    // manager minimises the owner before the windows it keeps with it.
    for (const QWidget* each : {window, owner})
        QObject::connect(each->windowHandle(), &QWindow::windowStateChanged, window, check,
            Qt::QueuedConnection);
}

} // namespace ui

#include "ui/ownedwindow.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace ui {

namespace {

class KeepWithOwner : public QObject {
public:
    KeepWithOwner(QWidget* window, QWidget* owner)
        : QObject(window), m_window(window), m_owner(owner)
    {
        window->installEventFilter(this);
        owner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        // Looked at once the window system's news of both windows has been taken in: a
        // window manager minimises the owner before the windows it keeps with it.
        if (e->type() == QEvent::WindowStateChange)
            QMetaObject::invokeMethod(this, &KeepWithOwner::check, Qt::QueuedConnection);
        return false;
    }

private:
    void check()
    {
        if (m_window && m_owner && m_window->isMinimized() && m_owner->isVisible()
            && !m_owner->isMinimized()) {
            m_window->showNormal();
            m_window->raise();
            m_window->activateWindow();
        }
    }
    QPointer<QWidget> m_window, m_owner;
};

} // namespace

void keepWithOwner(QWidget* window, QWidget* owner)
{
    // The relation is between the native windows, made now if they are not yet.
    window->winId();
    owner->winId();
    window->windowHandle()->setTransientParent(owner->windowHandle());
    new KeepWithOwner(window, owner);
}

} // namespace ui

#include "ui/inputblock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

class Blocker : public QObject {
public:
    QList<QPointer<QWidget>> windows;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!isInput(event->type()) || !watched->isWidgetType())
            return false;
        const QWidget* top = static_cast<QWidget*>(watched)->window();
        return windows.contains(top);
    }
};

Blocker& blocker()
{
    static Blocker* b = [] {
        auto* made = new Blocker;
        made->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(made);
        return made;
    }();
    return *b;
}

} // namespace

void setInputBlocked(QWidget* window, bool blocked)
{
    Blocker& b = blocker();
    b.windows.removeAll(nullptr);
    b.windows.removeAll(window);
    if (blocked)
        b.windows.append(window);
}

bool isInputBlocked(const QWidget* window)
{
    for (const QPointer<QWidget>& w : std::as_const(blocker().windows))
        if (w == window)
            return true;
    return false;
}

} // namespace ui

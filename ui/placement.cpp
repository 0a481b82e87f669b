#include "ui/placement.h"

#include "ui/twips.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QList>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define TASSELDAY_HAVE_XCB 1
#endif

namespace ui {

namespace {

QList<PlacementKeeper*>& keepers()
{
    static QList<PlacementKeeper*> all;
    return all;
}

#ifdef TASSELDAY_HAVE_XCB
// Frame extents arrive as a property of the client window (_NET_FRAME_EXTENTS), and
// reparenting into the frame as a configure event; Qt turns neither into a widget event
// when the client's own geometry stays the same.
class FrameEventFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        xcb_window_t window = 0;
        switch (e->response_type & 0x7f) {
        case XCB_PROPERTY_NOTIFY:
            window = reinterpret_cast<const xcb_property_notify_event_t*>(e)->window;
            break;
        case XCB_CONFIGURE_NOTIFY:
            window = reinterpret_cast<const xcb_configure_notify_event_t*>(e)->window;
            break;
        case XCB_REPARENT_NOTIFY:
            window = reinterpret_cast<const xcb_reparent_notify_event_t*>(e)->window;
            break;
        default:
            return false;
        }
        // Qt takes the event after this filter; the keeper looks once Qt has.
        for (PlacementKeeper* k : std::as_const(keepers()))
            if (k->parent() && static_cast<QWidget*>(k->parent())->internalWinId() == window)
                k->queueCheck();
        return false;
    }
};
#endif

void watchNativeFrameEvents()
{
#ifdef TASSELDAY_HAVE_XCB
    static bool installed = false;
    if (!installed && QGuiApplication::platformName() == QLatin1String("xcb")) {
        installed = true;
        QCoreApplication::instance()->installNativeEventFilter(new FrameEventFilter);
    }
#endif
}

QMargins marginsOf(const QWidget* w)
{
    const QRect f = w->frameGeometry(), g = w->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
            f.bottom() - g.bottom()};
}

} // namespace

PlacementKeeper::PlacementKeeper(QWidget* window, const WindowLayout& windowLayout)
    : QObject(window), m_window(window), m_layout(windowLayout)
{
    keepers().append(this);
    watchNativeFrameEvents();
    window->installEventFilter(this);
}

PlacementKeeper::~PlacementKeeper() { keepers().removeAll(this); }

void PlacementKeeper::place()
{
    QWidget* w = m_window;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize frame = w->frameGeometry().size();
    switch (m_layout.placement) {
    case Placement::Free:
        break;
    case Placement::TopRight:
        w->move(screen.right() + 1 - frame.width(), screen.top());
        break;
    case Placement::Centred:
        w->move(screen.x() + (screen.width() - frame.width()) / 2,
                screen.y() + (screen.height() - frame.height()) / 2);
        break;
    case Placement::ClientAt:
        w->setGeometry(QRect(screen.topLeft() + QPoint(px(m_layout.placeLeft), px(m_layout.placeTop)),
                             w->size()));
        break;
    case Placement::CoverScreen:
        if (!w->isVisible()) {
            // Centred at its own size while loaded; maximised when shown, and this stays
            // the size it would be restored to.
            QRect restored(QPoint(0, 0), w->size());
            restored.moveCenter(screen.center());
            w->setGeometry(restored);
            w->setWindowState(Qt::WindowMaximized);
        } else if (w->geometry() != screen && w->windowHandle()) {
            // Without a window manager nobody carries out "maximised". Through the native
            // window, because moving the widget would drop the maximised state and forget
            // the restored size.
            w->windowHandle()->setGeometry(screen);
        }
        break;
    }
    m_placedWith = marginsOf(w);
}

void PlacementKeeper::frameMayHaveChanged()
{
    m_checkQueued = false;
    if (!m_window->isVisible())
        return;
    if (m_layout.placement == Placement::CoverScreen) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // A window system that will not let it cover the screen is not asked forever.
        if (m_window->geometry() != screen && m_coverTries < 5) {
            ++m_coverTries;
            place();
        }
        return;
    }
    if (!m_shownPlaced || marginsOf(m_window) != m_placedWith) {
        m_shownPlaced = true;
        place();
    }
}

void PlacementKeeper::queueCheck()
{
    if (m_checkQueued)
        return;
    m_checkQueued = true;
    QMetaObject::invokeMethod(this, &PlacementKeeper::frameMayHaveChanged, Qt::QueuedConnection);
}

bool PlacementKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            m_shownPlaced = false;
            m_coverTries = 0;
            queueCheck();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            queueCheck();
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace ui

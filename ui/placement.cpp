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

#ifdef TASSELDAY_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>
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

// Where a frame of this size stands on this screen, for the placements that go by the frame.
QPoint framePosition(Placement placement, const QRect& screen, const QSize& frame)
{
    if (placement == Placement::TopRight)
        return {screen.right() + 1 - frame.width(), screen.top()};
    return {screen.x() + (screen.width() - frame.width()) / 2,
        screen.y() + (screen.height() - frame.height()) / 2};
}

#ifdef TASSELDAY_HAVE_XCB
xcb_connection_t* x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// A window's 32-bit property, empty when it is not set.
std::vector<quint32> property32(
    xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type, quint32 count)
{
    std::vector<quint32> values;
    xcb_get_property_reply_t* reply
        = xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, count), nullptr);
    if (reply && reply->format == 32) {
        const auto* v = static_cast<const quint32*>(xcb_get_property_value(reply));
        values.assign(v, v + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return values;
}

xcb_atom_t frameExtentsAtom(xcb_connection_t* c)
{
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE) {
        static const char name[] = "_NET_FRAME_EXTENTS";
        xcb_intern_atom_reply_t* reply
            = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
        if (reply)
            atom = reply->atom;
        free(reply);
    }
    return atom;
}
#endif

// Qt places a window in whole logical pixels; scaled, a frame whose border is an odd number
// of device pixels can then never touch the edge. Where the window manager tells the frame's
// extents, the frame is moved to the exact device pixel; Qt takes the new position from the
// window manager's notice like any other move. Nothing is done where the frame is not known.
void moveFrameExactly(QWidget* w, Placement placement, const QScreen* screen)
{
#ifdef TASSELDAY_HAVE_XCB
    xcb_connection_t* c = x11Connection();
    const xcb_window_t window = c ? xcb_window_t(w->internalWinId()) : 0;
    if (!window)
        return;
    const std::vector<quint32> ext
        = property32(c, window, frameExtentsAtom(c), XCB_ATOM_CARDINAL, 4);
    xcb_get_geometry_reply_t* client = ext.size() == 4
        ? xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)
        : nullptr;
    if (!client)
        return;
    const QSize frame(client->width + ext[0] + ext[1], client->height + ext[2] + ext[3]);
    free(client);
    // A screen keeps its device origin; only its size is scaled.
    const QRect logical = screen->geometry();
    const QRect device(logical.topLeft(), logical.size() * screen->devicePixelRatio());
    QPoint at = framePosition(placement, device, frame);
    // The window manager reads a requested position by the window's gravity: the frame's
    // corner (north-west, the default) or, for static gravity, the client's own corner.
    const std::vector<quint32> hints
        = property32(c, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 18);
    constexpr quint32 hasGravity = 1u << 9;
    if (hints.size() == 18 && (hints[0] & hasGravity) && hints[17] == XCB_GRAVITY_STATIC)
        at += QPoint(int(ext[0]), int(ext[2]));
    const quint32 values[] = {quint32(at.x()), quint32(at.y())};
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    xcb_flush(c);
#else
    Q_UNUSED(w);
    Q_UNUSED(placement);
    Q_UNUSED(screen);
#endif
}

QMargins marginsOf(const QWidget* w)
{
    const QRect f = w->frameGeometry(), g = w->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
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
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary->geometry();
    switch (m_layout.placement) {
    case Placement::Free:
        break;
    case Placement::TopRight:
    case Placement::Centred:
        // Qt's move first, so that its own idea of the position is near; then to the pixel.
        w->move(framePosition(m_layout.placement, screen, w->frameGeometry().size()));
        if (w->isVisible())
            moveFrameExactly(w, m_layout.placement, primary);
        break;
    case Placement::ClientAt:
        w->setGeometry(QRect(
            screen.topLeft() + QPoint(px(m_layout.placeLeft), px(m_layout.placeTop)), w->size()));
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

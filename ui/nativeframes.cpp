#include "ui/nativeframes.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#ifdef TASSELDAY_HAVE_XCB
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <xcb/xcb.h>
#ifdef TASSELDAY_HAVE_XCB_RANDR
#include <xcb/randr.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#endif

namespace ui {

namespace {

#ifdef TASSELDAY_HAVE_XCB

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
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

// A window's place on the root window and its size.
QRect rootRect(xcb_connection_t* c, xcb_window_t window, xcb_window_t root)
{
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr);
    QRect r;
    if (g && t)
        r = QRect(t->dst_x, t->dst_y, g->width, g->height);
    free(g);
    free(t);
    return r;
}

// Lives as long as its owner; Qt takes the event after the filter.
class FrameEventFilter : public QObject, public QAbstractNativeEventFilter {
public:
    FrameEventFilter(QObject* owner, const QWidget* window, std::function<void()> changed)
        : QObject(owner), m_window(window), m_changed(std::move(changed))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        const auto kind = e->response_type & 0x7f;
        const xcb_window_t window = kind == XCB_PROPERTY_NOTIFY
            ? reinterpret_cast<const xcb_property_notify_event_t*>(e)->window
            : kind == XCB_CONFIGURE_NOTIFY
            ? reinterpret_cast<const xcb_configure_notify_event_t*>(e)->window
            : kind == XCB_REPARENT_NOTIFY
            ? reinterpret_cast<const xcb_reparent_notify_event_t*>(e)->window
            : xcb_window_t(XCB_WINDOW_NONE);
        if (window != XCB_WINDOW_NONE && window == m_window->internalWinId())
            m_changed();
        return false;
    }

private:
    const QWidget* m_window;
    std::function<void()> m_changed;
};

class X11Frames final : public NativeFrames {
public:
    explicit X11Frames(xcb_connection_t* c)
        : m_c(c), m_root(xcb_setup_roots_iterator(xcb_get_setup(c)).data->root),
          m_extents(atom(c, "_NET_FRAME_EXTENTS")), m_supported(atom(c, "_NET_SUPPORTED")),
          m_wmCheck(atom(c, "_NET_SUPPORTING_WM_CHECK"))
    {
    }

    QRect screenRect(const QScreen* screen) override
    {
        // A screen keeps its device origin; only its size is scaled, and rounded.
        const QPoint origin = screen->geometry().topLeft();
#ifdef TASSELDAY_HAVE_XCB_RANDR
        xcb_randr_get_monitors_reply_t* reply
            = xcb_randr_get_monitors_reply(m_c, xcb_randr_get_monitors(m_c, m_root, 1), nullptr);
        QRect found;
        if (reply) {
            for (auto it = xcb_randr_get_monitors_monitors_iterator(reply);
                 it.rem && found.isNull(); xcb_randr_monitor_info_next(&it))
                if (QPoint(it.data->x, it.data->y) == origin)
                    found = QRect(it.data->x, it.data->y, it.data->width, it.data->height);
            free(reply);
        }
        if (!found.isNull())
            return found;
#endif
        // The whole X screen, where no monitor is told apart.
        return rootRect(m_c, m_root, m_root).translated(origin);
    }

    std::optional<NativeFrame> frame(const QWidget* window) override
    {
        const auto id = xcb_window_t(window->internalWinId());
        xcb_query_tree_reply_t* tree
            = id ? xcb_query_tree_reply(m_c, xcb_query_tree(m_c, id), nullptr) : nullptr;
        if (!tree)
            return std::nullopt;
        xcb_window_t top = id, parent = tree->parent;
        free(tree);
        // The frame a window manager put the window in is the root window's child.
        while (parent != m_root && parent != XCB_WINDOW_NONE) {
            top = parent;
            tree = xcb_query_tree_reply(m_c, xcb_query_tree(m_c, top), nullptr);
            parent = tree ? tree->parent : xcb_window_t(XCB_WINDOW_NONE);
            free(tree);
        }
        const QRect client = rootRect(m_c, id, m_root);
        const std::vector<quint32> ext = property32(m_c, id, m_extents, XCB_ATOM_CARDINAL, 4);
        if (ext.size() == 4)
            return NativeFrame {
                client.adjusted(-int(ext[0]), -int(ext[2]), int(ext[1]), int(ext[3])), top != id,
                true};
        if (top == id)
            return NativeFrame {client, false, true,
                !property32(m_c, m_root, m_wmCheck, XCB_ATOM_WINDOW, 1).empty()};
        // Framed: the extents are on their way, unless the window manager never reports them.
        const std::vector<quint32> supported
            = property32(m_c, m_root, m_supported, XCB_ATOM_ATOM, 1024);
        if (std::find(supported.begin(), supported.end(), m_extents) != supported.end())
            return std::nullopt;
        return NativeFrame {rootRect(m_c, top, m_root), true, false};
    }

    void moveFrame(QWidget* window, const NativeFrame& f, QPoint at) override
    {
        const auto id = xcb_window_t(window->internalWinId());
        // The window manager reads a requested position by the window's gravity: the frame's
        // corner (north-west, the default) or, for static gravity, the window's own corner.
        const std::vector<quint32> hints
            = property32(m_c, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 18);
        constexpr quint32 hasGravity = 1u << 9;
        if (!f.framed
            || (hints.size() == 18 && (hints[0] & hasGravity) && hints[17] == XCB_GRAVITY_STATIC))
            at += rootRect(m_c, id, m_root).topLeft() - f.rect.topLeft();
        const quint32 values[] = {quint32(at.x()), quint32(at.y())};
        xcb_configure_window(m_c, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
        xcb_flush(m_c);
    }

    bool keepOffTaskbar(QWidget* window) override
    {
        // Qt adds its own states to these when it maps the window.
        const xcb_atom_t states[]
            = {atom(m_c, "_NET_WM_STATE_SKIP_TASKBAR"), atom(m_c, "_NET_WM_STATE_SKIP_PAGER")};
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()),
            atom(m_c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
        return true;
    }

    void watch(QObject* owner, const QWidget* window, std::function<void()> changed) override
    {
        new FrameEventFilter(owner, window, std::move(changed));
    }

private:
    xcb_connection_t* m_c;
    xcb_window_t m_root;
    xcb_atom_t m_extents, m_supported, m_wmCheck;
};

#endif

} // namespace

NativeFrames* nativeFrames()
{
#ifdef TASSELDAY_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11)
        return nullptr;
    static X11Frames frames(x11->connection()); // the program's one connection, for its run
    return &frames;
#elif defined(Q_OS_WIN)
    return windowsFrames();
#else
    return nullptr;
#endif
}

} // namespace ui

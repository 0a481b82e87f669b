#include "ui/placement.h"

#include "ui/form.h"
#include "ui/nativeframes.h"
#include "ui/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace ui {

namespace {

// Moves asked for before the keeper gives up on a window system that will not have it.
constexpr int kMaxTries = 5;

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Where a frame of this size stands on this screen, for the placements that go by the frame.
QPoint framePosition(Placement placement, const QRect& screen, const QSize& frame)
{
    if (placement == Placement::TopRight)
        return {screen.right() + 1 - frame.width(), screen.top()};
    return {screen.x() + (screen.width() - frame.width()) / 2,
        screen.y() + (screen.height() - frame.height()) / 2};
}

} // namespace

PlacementKeeper::PlacementKeeper(FormWindow* window, const WindowLayout& windowLayout)
    : QObject(window), m_window(window), m_layout(windowLayout)
{
    if (NativeFrames* native = nativeFrames())
        native->watch(this, window, [this] { queueCheck(); });
    window->installEventFilter(this);
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &PlacementKeeper::placeAfresh);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, watch);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &PlacementKeeper::placeAfresh);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &PlacementKeeper::placeAfresh);
}

void PlacementKeeper::place()
{
    QWidget* w = m_window;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // The compositor places every window on Wayland, and ends a program whose window
    // contradicts the state it was given.
    if (onWayland() && m_layout.placement != Placement::CoverScreen)
        return;
    switch (m_layout.placement) {
    case Placement::TopRight:
    case Placement::Centred:
        w->move(framePosition(m_layout.placement, screen, w->frameGeometry().size()));
        break;
    case Placement::ClientAt:
        w->setGeometry(QRect(
            screen.topLeft() + QPoint(px(m_layout.placeLeft), px(m_layout.placeTop)), w->size()));
        break;
    case Placement::CoverScreen: {
        // Centred at its own size while loaded; maximised when shown, and this stays the size
        // it would be restored to. Wayland knows full screen alone as a state that covers
        // everything, panels included. An X11 window manager is asked for full screen too
        // from the first map on: a panel keeps a maximised window from covering it, and a
        // request made once the window is mapped may go unheeded.
        QRect restored(QPoint(0, 0), w->size());
        restored.moveCenter(screen.center());
        w->setGeometry(restored);
        const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
        w->setWindowState(onWayland() ? Qt::WindowFullScreen
                : x11                 ? Qt::WindowMaximized | Qt::WindowFullScreen
                                      : Qt::WindowMaximized);
        break;
    }
    }
    m_placedFrame = w->frameGeometry().size();
}

void PlacementKeeper::placeNatively()
{
    NativeFrames* native = nativeFrames();
    const std::optional<NativeFrame> frame = native->frame(m_window);
    // Not before a window manager has framed it; and once placed, again only for a frame of
    // another size, so that the user may move the window. A window manager may report the
    // frame's extents before it puts the window in the frame, which then stands where the
    // window was: that frame is placed again.
    if (!frame
        || (m_shownPlaced && frame->rect.size() == m_placedFrame
            && frame->framed == m_placedFramed))
        return;
    m_shownPlaced = true;
    m_placedFrame = frame->rect.size();
    m_placedFramed = frame->framed;
    QScreen* primary = QGuiApplication::primaryScreen();
    const QPoint at
        = framePosition(m_layout.placement, native->screenRect(primary), frame->rect.size());
    if (frame->rect.topLeft() == at)
        return;
    if (!frame->reported && !m_remade) {
        // A window manager that reports no frames may heed a position only when a window
        // appears: the window appears once more, where the frame it was given belongs.
        m_remade = true;
        const QPoint origin = primary->geometry().topLeft();
        m_window->appearAgainAt(origin + (at - origin) / m_window->devicePixelRatioF());
        return;
    }
    native->moveFrame(m_window, *frame, at);
}

void PlacementKeeper::cover()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    if (m_window->geometry() == screen)
        return;
    NativeFrames* native = nativeFrames();
    const std::optional<NativeFrame> frame = native ? native->frame(m_window) : std::nullopt;
    if (frame && frame->framed) {
        // A window manager that keeps a maximised window from covering the screen (for a
        // panel, or for this kind of window) is asked for the full-screen state instead.
        if (!m_window->isFullScreen())
            m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
    } else if (frame && frame->managed) {
        // Its window manager has yet to frame it; the states it was given stand.
    } else if (m_tries < kMaxTries) {
        // Without a window manager nobody carries out "maximised". Through the native
        // window, because moving the widget would drop the maximised state and forget
        // the restored size.
        ++m_tries;
        m_window->windowHandle()->setGeometry(screen);
    }
}

void PlacementKeeper::frameMayHaveChanged()
{
    m_checkQueued = false;
    if (!m_window->isVisible() || onWayland())
        return;
    if (m_layout.placement == Placement::CoverScreen) {
        cover();
    } else if (nativeFrames()
        && (m_layout.placement == Placement::TopRight
            || m_layout.placement == Placement::Centred)) {
        placeNatively();
    } else if (!m_shownPlaced || m_window->frameGeometry().size() != m_placedFrame) {
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

void PlacementKeeper::placeAfresh()
{
    // As at the start, on the screens as they are now; Qt has moved a window off a screen
    // that went away by the time the check runs.
    m_shownPlaced = false;
    m_tries = 0;
    queueCheck();
}

bool PlacementKeeper::eventFilter(QObject*, QEvent* event)
{
    // Watches its own window alone.
    const QEvent::Type type = event->type();
    if (type == QEvent::Show)
        placeAfresh();
    else if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowStateChange)
        queueCheck();
    return false;
}

} // namespace ui

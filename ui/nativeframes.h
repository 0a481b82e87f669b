#pragma once
#include <QRect>

#include <functional>
#include <optional>

class QObject;
class QScreen;
class QWidget;

namespace ui {

// A top-level window's frame as the window system itself sees it, in device pixels. Qt
// places windows in whole logical pixels, which at a fractional scale factor cannot always
// reach a screen's edge; where the window system is at hand, the program places a frame to
// the device pixel through it.
struct NativeFrame {
    QRect rect; // the frame, or the window itself when nothing frames it
    bool framed = false; // a window manager has put the window in a frame
    // False when the window manager does not report its frames: the frame is then measured
    // from the window it was put in, and moves after the window appeared may go unheeded.
    bool reported = true;
    // A window manager runs: it carries out the window's states even before it frames it.
    bool managed = false;
};

class NativeFrames {
public:
    virtual ~NativeFrames() = default;
    // The screen in device pixels.
    virtual QRect screenRect(const QScreen* screen) = 0;
    // The window's frame, or nothing while a window manager has yet to frame it.
    virtual std::optional<NativeFrame> frame(const QWidget* window) = 0;
    // Moves the top left corner of the window's `frame`, as just read, to `at`.
    virtual void moveFrame(QWidget* window, const NativeFrame& frame, QPoint at) = 0;
    // Asks that the window, not created yet, get no taskbar or pager entry, and says whether
    // the window system has such a hint. Without one a window stays off the taskbar by its
    // tool window type, which some X11 window managers (weston's) may leave unshown when
    // nothing owns it.
    virtual bool keepOffTaskbar(QWidget*) { return false; }
    // Calls `changed` for as long as `owner` lives, whenever the window system says that the
    // window's frame may have changed (it was framed, its frame extents were set, it was
    // configured); Qt turns none of these into a widget event when the window's own geometry
    // stays.
    virtual void watch(QObject*, const QWidget*, std::function<void()>) { }
};

// The window system's, where the program has one at hand (X11, Windows), else nullptr.
NativeFrames* nativeFrames();
// Windows' own (nativeframes_windows.cpp), on the windows platform.
NativeFrames* windowsFrames();

} // namespace ui

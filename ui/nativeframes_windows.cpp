#include "ui/nativeframes.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <windows.h>
// after <windows.h>, which it needs
#include <dwmapi.h>

namespace ui {

namespace {

// Windows 10 and later draw only a line of a window's frame: the rest of the border, for
// resizing, is there but not drawn, and Qt places windows by the part that is drawn, as
// Windows' own frame bounds tell it. Older Windows and Wine draw the whole border and give no
// such bounds; there the frame is the whole window. Either way the drawn frame is placed.
class Win32Frames final : public NativeFrames {
public:
    QRect screenRect(const QScreen* screen) override
    {
        // A screen keeps its device origin, its monitor's top left corner; only its size is
        // scaled, and rounded.
        const QRect logical = screen->geometry();
        MONITORINFO info {};
        info.cbSize = sizeof info;
        const POINT corner {logical.x(), logical.y()};
        if (!GetMonitorInfoW(MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST), &info))
            return QRect(logical.topLeft(), logical.size() * screen->devicePixelRatio());
        const RECT& r = info.rcMonitor;
        return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }

    std::optional<NativeFrame> frame(const QWidget* window) override
    {
        const auto hwnd = reinterpret_cast<HWND>(window->internalWinId());
        RECT r;
        if (!hwnd || !IsWindow(hwnd))
            return std::nullopt;
        if (FAILED(DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r))
            && !GetWindowRect(hwnd, &r))
            return std::nullopt;
        const bool framed = GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION;
        return NativeFrame {QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), framed, true};
    }

    void moveFrame(QWidget* window, const NativeFrame& drawn, QPoint at) override
    {
        const auto hwnd = reinterpret_cast<HWND>(window->internalWinId());
        RECT whole;
        if (!GetWindowRect(hwnd, &whole))
            return;
        SetWindowPos(hwnd, nullptr, at.x() + whole.left - drawn.rect.left(),
            at.y() + whole.top - drawn.rect.top(), 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

} // namespace

NativeFrames* windowsFrames()
{
    static Win32Frames frames;
    return QGuiApplication::platformName() == QLatin1String("windows") ? &frames : nullptr;
}

} // namespace ui

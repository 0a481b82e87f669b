#pragma once
#include <QByteArray>
#include <QList>

namespace ui {

// Wayland grants a program no say over where its windows go, and every window here has a
// fixed place on the screen. In a Wayland session that also offers XWayland, and where the
// user chose no platform (no QT_QPA_PLATFORM, no -platform argument), the program runs on
// X11. `env` reads one environment variable, empty when unset.
template <class Env> bool shouldUseX11(const QList<QByteArray>& args, Env env)
{
    for (const QByteArray& a : args)
        if (a == "-platform" || a == "--platform" || a.startsWith("-platform="))
            return false;
    return env("QT_QPA_PLATFORM").isEmpty() && !env("WAYLAND_DISPLAY").isEmpty()
        && !env("DISPLAY").isEmpty();
}

// Sets QT_QPA_PLATFORM to xcb when shouldUseX11 says so; call before QApplication exists.
void chooseDisplayPlatform(int argc, char** argv);

} // namespace ui

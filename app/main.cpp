#include "app/program.h"
#include "ui/assets.h"
#include "ui/desktop.h"
#include "ui/displayplatform.h"

#include <QApplication>

#include <thread>

#ifdef TASSELDAY_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// Fontconfig reads its configuration and font cache, a third of the work before the window
// shows, on a thread of its own while Qt connects to the display and the icon is read. The
// window's first text box lays out its text as it is made, so the window waits for it.
std::thread startFontConfig()
{
#ifdef TASSELDAY_HAVE_FONTCONFIG
    return std::thread([] { FcInit(); });
#else
    return {};
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    ui::chooseDisplayPlatform(argc, argv);
    std::thread fontConfig = startFontConfig();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::appIcon());
    // The program ends by its own rule: the celebration window is loaded while the main
    // window closes, before it is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::Desktop desktop;
    Program program(desktop.services());

    if (fontConfig.joinable())
        fontConfig.join();
    program.start();
    return app.exec();
}

#include "app/program.h"
#include "ui/assets.h"
#include "ui/desktop.h"
#include "ui/displayplatform.h"
#include "version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <thread>

#ifdef TASSELDAY_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

constexpr const char* kHelp
    = "Tasselday counts down to the graduation ceremony of 4 June 2006, 6:00 PM, in a small\n"
      "window at the top right corner of the screen, and shows how much of the school year\n"
      "has passed. It takes no options of its own: --help prints this text, --version the\n"
      "version, and any other argument is ignored (Qt's own, such as -platform, still apply).\n";

// --version and --help are answered before any window system is touched, so both work
// without a display. The answer's status tells whether it reached standard output.
int answer(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0)
            std::printf("%s %s\n", ui::kAppTitle, ui::kVersion);
        else if (std::strcmp(argv[i], "--help") == 0)
            std::fputs(kHelp, stdout);
        else
            continue;
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const int status = answer(argc, argv); status >= 0)
        return status;
    // Ends here, with the reason, when no display answers.
    ui::DisplayArguments display(argc, argv);
    // Fontconfig reads its configuration and font cache on a thread of its own while Qt
    // connects to the display and the icon is read. The window fits its texts as soon as it is
    // mapped, so the thread has ended before it is shown.
#ifdef TASSELDAY_HAVE_FONTCONFIG
    std::thread fontConfig([] { FcInit(); });
#else
    std::thread fontConfig;
#endif
    QApplication app(display.argc(), display.argv());
    display.release();
    // The desktop entry's id: the Wayland app id, and the class of the X11 windows (WM_CLASS),
    // by which a shell ties the windows to their menu entry.
    QApplication::setApplicationName(QString::fromLatin1(ui::kAppId));
    QApplication::setDesktopFileName(QString::fromLatin1(ui::kAppId));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::appIcon());
    // The program ends by its own rule: the celebration window is loaded while the main
    // window closes, before it is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::Desktop desktop;
    Program program(desktop.services());

    if (fontConfig.joinable())
        fontConfig.join();
    program.frmTasselday().show();
    return app.exec();
}

#include "app/program.h"
#include "ui/assets.h"
#include "ui/desktop.h"
#include "ui/displayplatform.h"
#include "version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Ends here, with the reason, when no display answers.
    ui::DisplayArguments display(argc, argv);
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

    program.start();
    return app.exec();
}

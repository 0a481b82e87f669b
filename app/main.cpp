#include "app/program.h"
#include "ui/assets.h"
#include "ui/desktop.h"
#include "ui/displayplatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Ends here, with the reason, when no display answers.
    ui::DisplayArguments display(argc, argv);
    QApplication app(display.argc(), display.argv());
    display.release();
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

#include "app/forms.h"
#include "app/frmtasselday.h"
#include "ui/assets.h"
#include "ui/desktop.h"
#include "ui/displayplatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    ui::chooseDisplayPlatform(argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::appIcon());
    // The program ends by its own rule: the celebration window is loaded while the main
    // window closes, before it is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::Desktop desktop;
    Forms forms(desktop.services());

    forms.frmTasselday().show();
    return app.exec();
}

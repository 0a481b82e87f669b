#include "app/forms.h"
#include "app/frmtasselday.h"
#include "ui/assets.h"
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/registry.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(ui::appIcon());
    // The program ends by its own rule: the celebration window is loaded while the main
    // window closes, before it is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    ui::SystemClock clock;
    ui::DesktopUrlOpener urls;
    ui::DetachedProgramStarter starter;
    ui::DiskFileProbe files;
    ui::QtMessageBox messages;
    auto registry = ui::systemRegistry();
    Forms forms({clock, urls, starter, files, messages, *registry});

    forms.frmTasselday().show();
    return app.exec();
}

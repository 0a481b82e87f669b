#include "ui/platform.h"
#include "ui/windows_services.h"

namespace ui {

// Paths and addresses go to the system in its ANSI code page.
void DesktopUrlOpener::open(const QString& address)
{
    win32::openWebPage(address.toLocal8Bit().toStdString());
}

bool DetachedProgramStarter::start(const QString& path)
{
    return win32::startProgram(path.toLocal8Bit().toStdString());
}

bool DiskFileProbe::isOrdinaryFile(const QString& path)
{
    return win32::isOrdinaryFile(path.toLocal8Bit().toStdString());
}

} // namespace ui

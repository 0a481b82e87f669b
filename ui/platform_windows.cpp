#include "ui/desktop.h"
#include "ui/windows_services.h"

#include <QProcess>

#include <windows.h>
// after <windows.h>, which it needs
#include <shellapi.h>

namespace ui {

// Paths and addresses go to the system in its ANSI code page; whatever the shell answers,
// nothing is shown.
void Desktop::open(const QString& address)
{
    ShellExecuteA(
        nullptr, nullptr, address.toLocal8Bit().constData(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool Desktop::start(const QString& path, const QStringList& arguments)
{
    return arguments.isEmpty() ? win32::startProgram(path.toLocal8Bit().toStdString())
                               : QProcess::startDetached(path, arguments);
}

bool Desktop::isOrdinaryFile(const QString& path)
{
    return win32::isOrdinaryFile(path.toLocal8Bit().toStdString());
}

} // namespace ui

#include "ui/platform.h"

#include <windows.h>
#include <shellapi.h>

namespace ui {

// The address goes to the shell in the system's ANSI code page; whatever the shell answers,
// nothing is shown.
void DesktopUrlOpener::open(const QString& address)
{
    ShellExecuteA(nullptr, nullptr, address.toLocal8Bit().constData(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

} // namespace ui

#include "ui/platform.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

// Systems without the Windows shell hand the address to the desktop's default handler;
// whatever it answers, nothing is shown.
void DesktopUrlOpener::open(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace ui

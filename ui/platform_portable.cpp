#include "ui/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ui {

// Systems without the Windows shell hand the address to the desktop's default handler;
// whatever it answers, nothing is shown.
void Desktop::open(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

bool Desktop::start(const QString& path, const QStringList& arguments)
{
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}

bool Desktop::isOrdinaryFile(const QString& path)
{
    // No system attribute here; hidden means a name that starts with a dot.
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

} // namespace ui

#include "ui/platform.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include "ui/windows_services.h"
#endif

namespace ui {

void DesktopUrlOpener::open(const QString& address)
{
#ifdef Q_OS_WIN
    win32::openWebPage(address.toLocal8Bit().toStdString());
#else
    QDesktopServices::openUrl(QUrl(address));
#endif
}

bool DetachedProgramStarter::start(const QString& path)
{
#ifdef Q_OS_WIN
    return win32::startProgram(path.toLocal8Bit().toStdString());
#else
    return !path.isEmpty() && QProcess::startDetached(path, {});
#endif
}

bool DetachedProgramStarter::startCommand(const QString& program, const QStringList& arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

bool DiskFileProbe::isOrdinaryFile(const QString& path)
{
#ifdef Q_OS_WIN
    return win32::isOrdinaryFile(path.toLocal8Bit().toStdString());
#else
    // No system attribute here; hidden means a name that starts with a dot.
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
#endif
}

// Qt's own box on every system: its modal loop is Qt's, so the owner may be unloaded while
// the box waits (the countdown can reach zero behind it), taking the box with it.
void QtMessageDialog::show(QWidget* owner, const QString& text, const QString& title, Icon icon)
{
    QPointer<QMessageBox> box = new QMessageBox(
        icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, title, text,
        QMessageBox::Ok, owner);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

} // namespace ui

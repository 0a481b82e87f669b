#include "ui/platform.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>

namespace ui {

bool DetachedProgramStarter::start(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QProcess::startDetached(path, {});
}

bool DiskFileProbe::isOrdinaryFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

void QtMessageBox::show(QWidget* owner, const QString& text, const QString& title, Icon icon)
{
    // On the heap and watched: the owner may be unloaded while the box waits (the countdown
    // can reach zero behind it), taking the box with it.
    QPointer<QMessageBox> box = new QMessageBox(
        icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, title, text,
        QMessageBox::Ok, owner);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

} // namespace ui

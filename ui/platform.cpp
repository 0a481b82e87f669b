#include "ui/desktop.h"

#include <QMessageBox>
#include <QPointer>

namespace ui {

// Qt's own box on every system: its modal loop is Qt's, so the owner may be unloaded while
// the box waits (the countdown can reach zero behind it), taking the box with it.
void Desktop::show(QWidget* owner, const QString& text, const QString& title, Icon icon)
{
    QPointer<QMessageBox> box
        = new QMessageBox(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, title,
            text, QMessageBox::Ok, owner);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

} // namespace ui

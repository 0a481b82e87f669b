#include "ui/quietupdates.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QWidget>

namespace ui {

namespace {

const char* const kQuiet = "ui_quietUpdates";

QAccessible::UpdateHandler previousHandler = nullptr;
void filterUpdate(QAccessibleEvent* event);

bool isChangeOfContent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::NameChanged:
    case QAccessible::ValueChanged:
    case QAccessible::TextUpdated:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextCaretMoved:
    case QAccessible::VisibleDataChanged:
        return true;
    default:
        return false;
    }
}

void filterUpdate(QAccessibleEvent* event)
{
    const auto* w = qobject_cast<const QWidget*>(event->object());
    if (w && w->property(kQuiet).toBool() && !w->hasFocus() && isChangeOfContent(event->type()))
        return;
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // No handler before ours: let the platform's bridge have the event.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

} // namespace

void announceOnlyWhenFocused(QWidget* w)
{
    static const bool installed = [] {
        previousHandler = QAccessible::installUpdateHandler(filterUpdate);
        return true;
    }();
    Q_UNUSED(installed);
    w->setProperty(kQuiet, true);
}

} // namespace ui

#pragma once
#include <QAccessible>
#include <QString>

namespace ui {

template <class Control, class Interface>
QAccessibleInterface* makeAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String(Control::staticMetaObject.className()))
        return nullptr;
    return new Interface(static_cast<Control*>(object));
}

// Gives a screen reader `Interface` for every `Control`, from the first such control made on.
template <class Control, class Interface>
void installAccessible()
{
    static const bool installed
        = (QAccessible::installFactory(&makeAccessible<Control, Interface>), true);
    Q_UNUSED(installed);
}

} // namespace ui

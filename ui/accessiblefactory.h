#pragma once
#include <QAccessible>
#include <QString>

namespace ui {

// Gives a screen reader `Interface` for every `Control`, from the first such control made on.
template <class Control, class Interface> void installAccessible()
{
    [[maybe_unused]] static const bool installed
        = (QAccessible::installFactory([](const QString& className, QObject* object) {
              return className == QLatin1String(Control::staticMetaObject.className())
                  ? static_cast<QAccessibleInterface*>(new Interface(static_cast<Control*>(object)))
                  : nullptr;
          }),
            true);
}

} // namespace ui

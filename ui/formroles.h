#pragma once
#include "ui/layout.h"

#include <QObject>

#include <span>

class QWidget;

// The roles a layout's rows give their controls, carried out alike for every window.
namespace ui {

// A control a loaded window made, with the row it was made from, in the rows' order.
struct MadeControl {
    Kind kind;
    const ControlRow* row;
    QObject* object;
};

// Stacking: windowed controls above drawn ones, lifted drawn ones above the other drawn
// ones, and within a layer the window's order of rows.
void applyStacking(const WindowLayout& window, std::span<const MadeControl> controls);

// The Tab order by the rows' tab indexes.
void applyTabOrder(std::span<const MadeControl> controls);

// Enter and Escape as a dialog takes them: a focused button takes Enter itself; otherwise
// Enter presses the default button and Escape the cancel button, whatever has the focus.
class KeyRoles : public QObject {
    Q_OBJECT
public:
    KeyRoles(QWidget* window, std::span<const MadeControl> controls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QObject* m_default = nullptr;
    QObject* m_cancel = nullptr;
};

} // namespace ui

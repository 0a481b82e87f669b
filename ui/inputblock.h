#pragma once
class QWidget;

namespace ui {

// A window whose input is blocked takes no mouse, keyboard, wheel, drop or input-method
// input on itself or any of its controls, and keeps its look: nothing is greyed, as
// disabling widgets would. Its timers keep running.
void setInputBlocked(QWidget* window, bool blocked);
bool isInputBlocked(const QWidget* window);

} // namespace ui

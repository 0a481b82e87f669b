#pragma once
class QWidget;

namespace ui {

// The widget's text and value changes reach a screen reader only while the widget has the
// keyboard focus, so a display rewritten every second is not read out every second. The
// screen reader still reads its current text whenever it asks for it.
void announceOnlyWhenFocused(QWidget* w);

} // namespace ui

#pragma once
#include "ui/layout.h"

class QObject;
class QWidget;

namespace ui {

// Makes one control of a layout row on `window`, named after the row, with the row's
// text, place, colours, font, pointer and accessible name.
QObject* createControl(QWidget* window, const WindowLayout& form, const ControlRow& row);

} // namespace ui

#pragma once
#include "ui/layout.h"

class QObject;
class QWidget;

namespace ui {

// Makes one control of `kind` on `window`, named `name`, with the row's text, place,
// colours, font, pointer and accessible name.
QObject* createControl(
    QWidget* window, const WindowLayout& form, Kind kind, const char* name, const ControlRow& row);

} // namespace ui

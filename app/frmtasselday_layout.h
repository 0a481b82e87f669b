#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowLayout frmTasselday;
std::span<const ui::ControlRow> frmTasseldayControls();
} // namespace layout

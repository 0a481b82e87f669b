#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowLayout frmAdvOpt;
std::span<const ui::ControlRow> frmAdvOptControls();
} // namespace layout

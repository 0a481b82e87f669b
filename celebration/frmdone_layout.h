#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowLayout frmDone;
std::span<const ui::ControlRow> frmDoneControls();
} // namespace layout

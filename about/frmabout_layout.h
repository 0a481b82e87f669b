#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowLayout frmAbout;
std::span<const ui::ControlRow> frmAboutControls();
} // namespace layout

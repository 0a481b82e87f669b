#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowSpec frmAbout;
std::span<const ui::ControlSpec> frmAboutControls();
}

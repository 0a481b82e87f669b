#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowSpec frmAdvOpt;
std::span<const ui::ControlSpec> frmAdvOptControls();
}

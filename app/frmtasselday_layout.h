#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowSpec frmTasselday;
std::span<const ui::ControlSpec> frmTasseldayControls();
}

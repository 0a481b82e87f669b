#pragma once
#include "ui/layout.h"

#include <span>

namespace layout {
extern const ui::WindowSpec frmDone;
std::span<const ui::ControlSpec> frmDoneControls();
}

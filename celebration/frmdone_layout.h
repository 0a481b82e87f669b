#pragma once
#include "ui/layout.h"

#include <span>

// The celebration's controls, made from the rows of its layout.
struct FrmDoneControls {
    ui::Label *Label1, *Label2;
    ui::Picture *Image1, *Image2, *Image3, *Image4;
    ui::Button* cmdClose;
    QTimer* timerBGColor;
};

namespace layout {
extern const ui::WindowLayout frmDone;
std::span<const ui::Row<FrmDoneControls>> frmDoneControls();
} // namespace layout

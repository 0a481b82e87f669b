#pragma once
#include "ui/layout.h"

#include <span>

// The celebration's controls, made from the rows of its layout.
struct FrmDoneControls {
    ui::Label* Label1 = nullptr;
    ui::Label* Label2 = nullptr;
    ui::Picture* Image1 = nullptr;
    ui::Picture* Image2 = nullptr;
    ui::Picture* Image3 = nullptr;
    ui::Picture* Image4 = nullptr;
    ui::Button* cmdClose = nullptr;
    QTimer* timerBGColor = nullptr;
};

namespace layout {
extern const ui::WindowLayout frmDone;
std::span<const ui::Row<FrmDoneControls>> frmDoneControls();
} // namespace layout

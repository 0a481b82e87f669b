#pragma once
#include "ui/layout.h"

#include <span>

// The About box's controls its code works with, made from the rows of its layout.
struct FrmAboutControls {
    ui::Picture* picIcon = nullptr;
    ui::Button* cmdOK = nullptr;
    ui::Button* cmdSysInfo = nullptr;
    ui::Label* lblPSClink = nullptr;
    ui::Label* lblWebsite = nullptr;
    ui::Label* lblTitle = nullptr;
    ui::Label* lblVersion = nullptr;
};

namespace layout {
extern const ui::WindowLayout frmAbout;
std::span<const ui::Row<FrmAboutControls>> frmAboutControls();
} // namespace layout

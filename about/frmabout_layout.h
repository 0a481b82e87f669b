#pragma once
#include "ui/layout.h"

#include <span>

// The About box's controls its code works with, made from the rows of its layout.
struct FrmAboutControls {
    ui::Picture* picIcon;
    ui::Button *cmdOK, *cmdSysInfo;
    ui::Label *lblPSClink, *lblWebsite, *lblTitle, *lblVersion;
};

namespace layout {
extern const ui::WindowLayout frmAbout;
std::span<const ui::Row<FrmAboutControls>> frmAboutControls();
} // namespace layout

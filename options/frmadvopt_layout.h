#pragma once
#include "ui/layout.h"

#include <span>

// The options dialog's controls its code works with, made from the rows of its layout.
struct FrmAdvOptControls {
    ui::Label* lblGradTime_Date;
    ui::TextBox *txtSetTime_Hours, *txtSetTime_Minutes, *txtSetTIme_Seconds, *txtPercentDigits;
    ui::ComboList* comboSetTime_AMPM;
    ui::Button *cmdJump, *cmdOK, *cmdCancel, *cmdApply;
};

namespace layout {
extern const ui::WindowLayout frmAdvOpt;
std::span<const ui::Row<FrmAdvOptControls>> frmAdvOptControls();
} // namespace layout

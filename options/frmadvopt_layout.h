#pragma once
#include "ui/layout.h"

#include <span>

// The options dialog's controls its code works with, made from the rows of its layout.
struct FrmAdvOptControls {
    ui::Label* lblGradTime_Date = nullptr;
    ui::TextBox* txtSetTime_Hours = nullptr;
    ui::TextBox* txtSetTime_Minutes = nullptr;
    ui::TextBox* txtSetTIme_Seconds = nullptr;
    ui::ComboList* comboSetTime_AMPM = nullptr;
    ui::TextBox* txtPercentDigits = nullptr;
    ui::Button* cmdJump = nullptr;
    ui::Button* cmdOK = nullptr;
    ui::Button* cmdCancel = nullptr;
    ui::Button* cmdApply = nullptr;
};

namespace layout {
extern const ui::WindowLayout frmAdvOpt;
std::span<const ui::Row<FrmAdvOptControls>> frmAdvOptControls();
} // namespace layout

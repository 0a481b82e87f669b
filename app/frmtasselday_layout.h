#pragma once
#include "ui/layout.h"

#include <span>

// The main window's controls its code works with, made from the rows of its layout.
struct FrmTasseldayControls {
    ui::Label* lblTimeLeft = nullptr;
    // Overwritten every tick, so typing into it would only be lost: only read.
    ui::DisplayBox* txtDisplay = nullptr;
    ui::Label* lblAbout = nullptr;
    ui::Label* lblSet = nullptr;
    ui::ProgressBar* prgbarSchool = nullptr;
    ui::Label* lblSchoolCompleted = nullptr;
    QTimer* timerRefresh = nullptr;
};

namespace layout {
extern const ui::WindowLayout frmTasselday;
std::span<const ui::Row<FrmTasseldayControls>> frmTasseldayControls();
} // namespace layout

#pragma once
#include "ui/layout.h"

#include <span>

// The main window's controls its code works with, made from the rows of its layout; all
// null while the window is not loaded.
struct FrmTasseldayControls {
    ui::Label *lblTimeLeft, *lblAbout, *lblSet, *lblSchoolCompleted;
    // Overwritten every tick, so typing into it would only be lost: only read.
    ui::DisplayBox* txtDisplay;
    ui::ProgressBar* prgbarSchool;
    QTimer* timerRefresh;
};

namespace layout {
extern const ui::WindowLayout frmTasselday;
std::span<const ui::Row<FrmTasseldayControls>> frmTasseldayControls();
} // namespace layout

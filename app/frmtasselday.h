#pragma once
#include "app/countdown.h"
#include "ui/form.h"

#include <optional>

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

namespace ui {
class Clock;
} // namespace ui

// The main window: it owns the schedule and shows the time left and the school-year progress
// the countdown computes from it. The options dialog reads and changes GradDate and
// intPercentDigits here, calls RefreshAllTimers, and disables the window (setEnabled). It
// opens no other window itself: it announces what the user asked for, or that the time ran
// out, and the program (app/program.cpp) decides what happens.
class FrmTasselday : public ui::FormOf<FrmTasseldayControls>, public countdown::Schedule {
    Q_OBJECT
public:
    explicit FrmTasselday(const ui::Clock& clock);

    // One refresh at once, inside the caller's handler.
    void RefreshAllTimers();

    // The refresh runs this far past the turn of the second, so that a timer which keeps time
    // a hair differently from the wall clock still lands in the new second.
    static constexpr int kMarginMs = 2;

signals:
    // The "About..." label was clicked.
    void aboutRequested();
    // The third quick double-click on the hidden square.
    void optionsRequested();
    // A tick found nothing left. The tick writes nothing more, whoever hands over.
    void countdownFinished();
    // The window is on its way out, by its close box or by the hand-over.
    void closing();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void timerRefresh_Timer(double now);
    void timerRefresh_Fired();
    void lblSet_DblClick();

    const ui::Clock& m_clock;

    countdown::Gesture gesture;
    // The previous tick's time left in whole seconds, to notice a zero that fell between ticks.
    std::optional<double> lastSecondsLeft;
    std::optional<double> lastShown; // the second the last tick showed
};

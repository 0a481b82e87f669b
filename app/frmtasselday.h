#pragma once
#include "ui/form.h"
#include "ui/secondtimer.h"

#include <QtGlobal>

namespace ui {
class Clock;
class Label;
class DisplayBox;
class ProgressBar;
} // namespace ui

// The main window: the schedule, the time left and the school-year progress. It opens no
// other window itself: it announces what the user asked for, or that the time ran out, and
// the program (app/program.cpp) decides what happens.
class FrmTasselday : public ui::Form {
    Q_OBJECT
public:
    explicit FrmTasselday(const ui::Clock& clock);

    // The schedule surface the options dialog reads and changes, together with the
    // window's enabled flag (setEnabled, from ui::Form).
    double GradDate = 0.0;
    qint16 intPercentDigits = 0;

    // One refresh at once, inside the caller's handler.
    void RefreshAllTimers();

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
    void bindControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_MouseMove() override;

private:
    void timerRefresh_Timer();
    void timerRefresh_Timer(double now);
    void timerRefresh_Fired();
    void CheckSetTimeout();
    void lblAbout_MouseMove();
    void lblAbout_Click();
    void lblSet_DblClick();
    bool skippedTheZeroSecond(double secondsLeft);

    const ui::Clock& m_clock;
    ui::SecondPacer m_pacer;

    double SchoolStart = 0.0;
    double TotalDays = 0.0;
    double NowDate = 0.0;
    double TimeLeft = 0.0, WeeksLeft = 0.0, DaysLeft = 0.0, DayFraction = 0.0;
    double HoursLeft = 0.0, MinutesLeft = 0.0, SecondsLeft = 0.0;
    double DaysElapsed = 0.0, PercentDone = 0.0;
    // The previous tick's time left in whole seconds, to notice a zero that fell between ticks.
    double lastSecondsLeft = 0.0;
    bool haveLastTick = false;
    qint16 intSetStage = 0;
    qint16 intSetTicks = 0;
    qint16 intSetTimeout = 0;

    ui::Label* lblTimeLeft = nullptr;
    // Overwritten every tick, so typing into it would only be lost: only read.
    ui::DisplayBox* txtDisplay = nullptr;
    ui::Label* lblAbout = nullptr;
    ui::Label* lblSet = nullptr;
    ui::ProgressBar* prgbarSchool = nullptr;
    ui::Label* lblSchoolCompleted = nullptr;
};

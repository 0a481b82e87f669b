#pragma once
#include "ui/form.h"
#include "ui/secondtimer.h"

#include <QtGlobal>

class Forms;
namespace ui {
class Label;
class TextBox;
class ProgressBar;
}

// The main window: the schedule, the time left and the school-year progress.
class FrmTasselday : public ui::Form {
    Q_OBJECT
public:
    explicit FrmTasselday(Forms& forms);

    // The schedule the other windows read and change.
    double GradDate = 0.0;
    qint16 intPercentDigits = 0;

    // One refresh at once, inside the caller's handler.
    void RefreshAllTimers();

    // Read-only views for tests and the benchmark.
    double schoolStart() const { return SchoolStart; }
    double totalDays() const { return TotalDays; }
    qint16 setStage() const { return intSetStage; }
    qint16 setTicks() const { return intSetTicks; }
    qint16 setTimeout() const { return intSetTimeout; }

protected:
    void bindControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_MouseMove() override;
    void Form_Shown() override;

private:
    void timerRefresh_Timer();
    void timerRefresh_Fired();
    void CheckSetTimeout();
    void lblAbout_MouseMove();
    void lblAbout_Click();
    void lblSet_DblClick();
    void placeTopRight();
    bool skippedTheZeroSecond(double secondsLeft);

    Forms& m_forms;
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
    ui::TextBox* txtDisplay = nullptr;
    ui::Label* lblAbout = nullptr;
    ui::Label* lblSet = nullptr;
    ui::ProgressBar* prgbarSchool = nullptr;
    ui::Label* lblSchoolCompleted = nullptr;
};

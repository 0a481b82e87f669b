#include "app/frmtasselday.h"

#include "app/frmtasselday_layout.h"
#include "ui/clock.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/displaybox.h"
#include "ui/fonts.h"
#include "ui/numbers.h"
#include "ui/writeifchanged.h"

#include <QTimer>

FrmTasselday::FrmTasselday(const ui::Clock& clock)
    : FormOf(layout::frmTasselday, layout::frmTasseldayControls()), m_clock(clock)
{
}

void FrmTasselday::bindControls()
{
    // The bar lies over the percentage's last pixel rows. Keeping the label's text area
    // above it means a new percentage repaints only the label, not the bar as well (which
    // draws its whole striped face, through worker threads, to show one row again).
    const int covered
        = c.lblSchoolCompleted->geometry().intersected(c.prgbarSchool->geometry()).height();
    if (covered > 0)
        c.lblSchoolCompleted->setContentsMargins(0, 0, 0, covered);

    m_pacer.attach(c.timerRefresh);
    connect(c.timerRefresh, &QTimer::timeout, this, &FrmTasselday::timerRefresh_Fired);
    connect(c.lblAbout, &ui::Label::clicked, this, &FrmTasselday::lblAbout_Click);
    connect(c.lblSet, &ui::Label::doubleClicked, this, &FrmTasselday::lblSet_DblClick);
}

void FrmTasselday::Form_Load()
{
    // The layout's placement puts the window in the top right corner and keeps it there.
    static_cast<countdown::Schedule&>(*this) = countdown::builtInSchedule();
    gesture = {};
    lastSecondsLeft.reset();

    // The whole short date, even where the locale writes blanks inside it.
    c.lblTimeLeft->setText(c.lblTimeLeft->text() + QStringLiteral(" (") + ui::shortDate(GradDate)
        + QStringLiteral(") :"));
    c.lblTimeLeft->fitText();

    // The first frame at once; the timer takes over from there.
    timerRefresh_Fired();
}

// The About box goes with this window; the program does the closing.
void FrmTasselday::Form_Unload() { emit closing(); }

void FrmTasselday::RefreshAllTimers()
{
    if (isLoaded())
        timerRefresh_Timer();
}

// The timer runs once, just after the next whole second; each run plans the next from the
// clock. RefreshAllTimers ticks in between without moving that plan.
void FrmTasselday::timerRefresh_Fired()
{
    // One reading serves the check, the tick and the plan: a second reading could already
    // be in the next second, and the plan would then step over it.
    const ui::ClockReading now = m_clock.read();
    if (m_pacer.due(now.date))
        timerRefresh_Timer(now.date);
    if (isLoaded())
        m_pacer.planNext(now);
}

void FrmTasselday::timerRefresh_Timer() { timerRefresh_Timer(m_clock.now()); }

void FrmTasselday::timerRefresh_Timer(double now)
{
    m_pacer.shown(now);
    const countdown::TimeLeft left = countdown::timeLeft(*this, now);
    const double secondsLeft = ui::Round(left.TimeLeft * 86400, 0);
    const bool skippedZero
        = lastSecondsLeft && countdown::skippedTheZeroSecond(*lastSecondsLeft, secondsLeft);
    lastSecondsLeft = secondsLeft;
    if (skippedZero || !left.somethingLeft()) {
        emit countdownFinished();
        return; // the hand-over has closed this window: nothing more is written to it
    }

    // The last minute is shown large, and stays so for the rest of the run.
    if (left.lastMinute())
        ui::setFontIfChanged(c.txtDisplay, ui::makeFont({"Courier New", 12, 700}));
    c.txtDisplay->setText(countdown::displayLine(left));
    const double percent = countdown::PercentDone(*this, now);
    c.prgbarSchool->setPercent(float(percent));
    ui::setTextIfChanged(
        c.lblSchoolCompleted, "School Year Completed: " + ui::numberToText(percent) + "%");
    if (gesture.CheckSetTimeout() && c.lblSet->backColor() != ui::colors::Navy)
        c.lblSet->setBackColor(ui::colors::Navy);
}

void FrmTasselday::lblAbout_Click() { emit aboutRequested(); }

void FrmTasselday::lblSet_DblClick()
{
    const bool third = gesture.doubleClick();
    const quint32 stageColors[] = {ui::colors::Navy, 0x00900000, 0x00C00000};
    c.lblSet->setBackColor(stageColors[gesture.intSetStage]);
    if (third)
        emit optionsRequested();
}

#include "app/frmtasselday.h"

#include "app/frmtasselday_layout.h"
#include "ui/assets.h"
#include "ui/clock.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/displaybox.h"
#include "ui/fonts.h"
#include "ui/numbers.h"
#include "ui/quietwrite.h"

#include <QTimer>

namespace {
constexpr quint32 kSetStage1 = 0x00900000;
constexpr quint32 kSetStage2 = 0x00C00000;
} // namespace

FrmTasselday::FrmTasselday(const ui::Clock& clock)
    : ui::Form(layout::frmTasselday, layout::frmTasseldayControls()), m_clock(clock)
{
}

void FrmTasselday::bindControls()
{
    lblTimeLeft = control<ui::Label>("lblTimeLeft");
    txtDisplay = control<ui::DisplayBox>("txtDisplay");
    lblAbout = control<ui::Label>("lblAbout");
    lblSet = control<ui::Label>("lblSet");
    prgbarSchool = control<ui::ProgressBar>("prgbarSchool");
    lblSchoolCompleted = control<ui::Label>("lblSchoolCompleted");

    // The bar lies over the percentage's last pixel rows. Keeping the label's text area
    // above it means a new percentage repaints only the label, not the bar as well (which
    // draws its whole striped face, through worker threads, to show one row again).
    const int covered
        = lblSchoolCompleted->geometry().intersected(prgbarSchool->geometry()).height();
    if (covered > 0)
        lblSchoolCompleted->setContentsMargins(0, 0, 0, covered);

    m_pacer.attach(timer("timerRefresh"));
    connect(timer("timerRefresh"), &QTimer::timeout, this, &FrmTasselday::timerRefresh_Fired);
    connect(lblAbout, &ui::Label::mouseMoved, this, &FrmTasselday::lblAbout_MouseMove);
    connect(lblAbout, &ui::Label::clicked, this, &FrmTasselday::lblAbout_Click);
    connect(lblSet, &ui::Label::doubleClicked, this, &FrmTasselday::lblSet_DblClick);
}

void FrmTasselday::Form_Load()
{
    // Top 0 and the right edge on the screen's: the layout's placement, which also keeps
    // the window there once a window manager has framed it.
    intPercentDigits = 5;
    SchoolStart = *ui::readDateTime(
        QStringLiteral("8/24/2005"), QLocale(QLocale::English, QLocale::UnitedStates));
    GradDate = *ui::readDateTime(
        QStringLiteral("6/4/2006 6:00:00PM"), QLocale(QLocale::English, QLocale::UnitedStates));
    TotalDays = ui::Round(GradDate - SchoolStart, 0);
    intSetStage = 0;
    intSetTicks = 0;
    intSetTimeout = 2;
    haveLastTick = false;

    // The whole short date, even where the locale writes blanks inside it.
    lblTimeLeft->setText(lblTimeLeft->text() + QStringLiteral(" (") + ui::shortDate(GradDate)
        + QStringLiteral(") :"));
    lblTimeLeft->fitText();

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
    using ui::Int;
    using ui::Mod;
    using ui::numberToText;

    NowDate = now;
    m_pacer.shown(NowDate);
    // Both moments are whole seconds, but their difference as days carries rounding error:
    // a day later could come out a hair over a day and read "24 Hours" instead of zero.
    const double wholeSecondsLeft = ui::Round((GradDate - NowDate) * 86400, 0);
    TimeLeft = wholeSecondsLeft / 86400;
    const bool skippedZero = skippedTheZeroSecond(wholeSecondsLeft);
    DaysLeft = Int(TimeLeft);
    WeeksLeft = Int(DaysLeft / 7);
    DaysLeft = Mod(DaysLeft, 7);
    DayFraction = TimeLeft - Int(TimeLeft);
    SecondsLeft = ui::Round(DayFraction * 86400, 0);
    MinutesLeft = Int(SecondsLeft / 60);
    SecondsLeft = Mod(SecondsLeft, 60);
    HoursLeft = Int(MinutesLeft / 60);
    MinutesLeft = Mod(MinutesLeft, 60);

    const bool somethingLeft
        = WeeksLeft > 0 || DaysLeft > 0 || HoursLeft > 0 || MinutesLeft > 0 || SecondsLeft > 0;
    if (skippedZero || !somethingLeft) {
        emit countdownFinished();
        return; // the hand-over has closed this window: nothing more is written to it
    }

    const QString W = numberToText(WeeksLeft), D = numberToText(DaysLeft),
                  H = numberToText(HoursLeft), M = numberToText(MinutesLeft),
                  S = numberToText(SecondsLeft);
    QString line;
    if (WeeksLeft > 0) {
        line = W + " Weeks, " + D + " Days, " + H + " Hours, " + M + " Minutes, " + S + " Seconds!";
    } else if (DaysLeft > 0) {
        line = D + " Days, " + H + " Hours, " + M + " Minutes, " + S + " Seconds!";
    } else if (HoursLeft > 0) {
        line = H + " Hours, " + M + " Minutes, " + S + " Seconds!";
    } else if (MinutesLeft > 0) {
        line = M + " Minutes, " + S + " Seconds!";
    } else {
        // The last minute is shown large, and stays so for the rest of the run.
        ui::setFontIfChanged(txtDisplay, ui::makeFont({"Courier New", 12, 700}));
        line = S + " Seconds!";
    }
    txtDisplay->setText(line);

    DaysElapsed = NowDate - SchoolStart;
    PercentDone = ui::Round(DaysElapsed / TotalDays * 100, intPercentDigits);
    prgbarSchool->setPercent(float(PercentDone));
    ui::setTextIfChanged(
        lblSchoolCompleted, "School Year Completed: " + numberToText(PercentDone) + "%");
    CheckSetTimeout();
}

// A tick that comes a few milliseconds late can read the second after the one it should
// have read. When that lost second was a moment of nothing left (the ceremony, or its time
// of day recurring), the celebration would otherwise wait a whole day.
bool FrmTasselday::skippedTheZeroSecond(double secondsLeft)
{
    const bool skipped = haveLastTick && lastSecondsLeft - secondsLeft == 2 && secondsLeft + 1 <= 0
        && ui::Mod(secondsLeft + 1, 86400) == 0;
    lastSecondsLeft = secondsLeft;
    haveLastTick = true;
    return skipped;
}

void FrmTasselday::CheckSetTimeout()
{
    if (intSetTicks < intSetTimeout) {
        ++intSetTicks;
    } else if (intSetTicks == intSetTimeout) {
        intSetTicks = 0;
        intSetStage = 0;
        if (lblSet->backColor() != ui::colors::Navy)
            lblSet->setBackColor(ui::colors::Navy);
    }
}

void FrmTasselday::Form_MouseMove() { restLinks(); }

void FrmTasselday::lblAbout_MouseMove() { hoverLink(lblAbout); }

void FrmTasselday::lblAbout_Click() { emit aboutRequested(); }

void FrmTasselday::lblSet_DblClick()
{
    switch (intSetStage) {
    case 0:
        intSetStage = 1;
        lblSet->setBackColor(kSetStage1);
        intSetTicks = 0;
        break;
    case 1:
        intSetStage = 2;
        lblSet->setBackColor(kSetStage2);
        intSetTicks = 0;
        break;
    case 2:
        intSetStage = 0;
        lblSet->setBackColor(ui::colors::Navy);
        emit optionsRequested();
        break;
    }
}

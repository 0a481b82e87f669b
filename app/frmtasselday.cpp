#include "app/frmtasselday.h"

#include "ui/assets.h"
#include "ui/clock.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/displaybox.h"
#include "ui/fonts.h"
#include "ui/numbers.h"

#include <QTimer>

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
namespace layout {

using C = FrmTasseldayControls;

const WindowLayout frmTasselday = {
    .caption = "Tasselday - by Quillerby",
    .clientWidth = 6240,
    .clientHeight = 2130,
    .back = Navy,
    .frame = Frame::FixedSingle,
    .font = {"Copperplate Gothic Bold", 8.25, 700},
    .placement = Placement::TopRight,
};

namespace {
QCursor arrowWithHourglass() { return QCursor(Qt::BusyCursor); }

// Bottom to top: the box and the bar lie above the labels (the bar over the percentage's
// last pixel rows and the top of "0%" and "100%").
const Row<C> controls[] = {
    {UI_CONTROL(C, lblTimeLeft), {.text = "Time left until Graduation ",
     .left = 120, .top = 120, .width = 6015, .height = 495, .back = Navy, .fore = LightBlue,
     .font = {"Matisse ITC", 18}, .align = Qt::AlignHCenter | Qt::AlignTop}},
    {UI_CONTROL(C, lblAbout), {.text = "About...", .left = 2760, .top = 1800,
     .width = 615, .height = 240, .back = Navy, .fore = LightCyan,
     .font = {"Arial", 9, 400, false, true}, .hoverFore = Red, .cursor = aboutHandCursor}},
    {UI_CONTROL(C, lblSet), {.left = 5880, .top = 1890, .width = 255,
     .height = 255, .back = Navy, .fore = Navy, .font = {"MS Sans Serif", 8.25},
     .cursor = arrowWithHourglass}},
    {UI_CONTROL(C, lblSchoolCompleted), {.text = "School Year Completed:",
     .left = 240, .top = 1080, .width = 5895, .height = 375, .back = Navy, .fore = LightBlue,
     .font = {"Arial", 15.75}, .align = Qt::AlignHCenter | Qt::AlignTop,
     .quietUpdates = true}},
    {{Kind::Label, "Label2"}, {.text = "0%", .left = 120, .top = 1680,
     .width = 255, .height = 255, .fore = LightBlue, .font = {"MS Sans Serif", 8.25}}},
    {{Kind::Label, "Label3"}, {.text = "100%", .left = 5640, .top = 1680,
     .width = 495, .height = 255, .fore = LightBlue, .font = {"MS Sans Serif", 8.25},
     .align = Qt::AlignRight | Qt::AlignTop}},
    {UI_CONTROL(C, txtDisplay), {.left = 120, .top = 720, .width = 6000,
     .height = 360, .back = LightBlue, .font = {"Courier New", 8.25},
     .align = Qt::AlignCenter, .accessibleName = "Time left",
     .quietUpdates = true}},
    {UI_CONTROL(C, prgbarSchool), {.left = 120, .top = 1440,
     .width = 6015, .height = 255, .accessibleName = "School year completed",
     .quietUpdates = true}},
    // Started by the window: each run is planned to just after the next whole second.
    {UI_CONTROL(C, timerRefresh), {}},
};
} // namespace

std::span<const Row<C>> frmTasseldayControls() { return controls; }

} // namespace layout
// clang-format on

FrmTasselday::FrmTasselday(const ui::Clock& clock)
    : FormOf(layout::frmTasselday, layout::frmTasseldayControls()), m_clock(clock)
{
}

void FrmTasselday::Form_Load()
{
    // The bar lies over the percentage's last pixel rows. Keeping the label's text area
    // above it means a new percentage repaints only the label, not the bar as well (which
    // draws its whole striped face, through worker threads, to show one row again).
    const int covered
        = c.lblSchoolCompleted->geometry().intersected(c.prgbarSchool->geometry()).height();
    c.lblSchoolCompleted->setContentsMargins(0, 0, 0, covered);

    c.timerRefresh->setSingleShot(true);
    connect(c.timerRefresh, &QTimer::timeout, this, &FrmTasselday::timerRefresh_Fired);
    connect(c.lblAbout, &ui::Label::clicked, this, &FrmTasselday::aboutRequested);
    connect(c.lblSet, &ui::Label::doubleClicked, this, &FrmTasselday::lblSet_DblClick);

    // The layout's placement puts the window in the top right corner and keeps it there.
    static_cast<countdown::Schedule&>(*this) = countdown::builtInSchedule();
    gesture = {};
    lastSecondsLeft.reset();
    lastShown.reset();

    // The whole short date, even where the locale writes blanks inside it.
    c.lblTimeLeft->setText(c.lblTimeLeft->text() + QStringLiteral(" (") + ui::shortDate(GradDate)
        + QStringLiteral(") :"));

    // The first frame at once; the timer takes over from there.
    timerRefresh_Fired();
}

// The About box goes with this window; the program does the closing.
void FrmTasselday::Form_Unload() { emit closing(); }

void FrmTasselday::RefreshAllTimers()
{
    if (isLoaded())
        timerRefresh_Timer(m_clock.now());
}

// The timer runs once, just after the next whole second; each run plans the next from the
// clock, so the shown seconds turn with the system clock's, none is shown twice or skipped,
// and a clock that is stepped (set by hand, synchronised, resumed from suspend) is followed
// at the next run. RefreshAllTimers ticks in between without moving that plan.
void FrmTasselday::timerRefresh_Fired()
{
    // One reading serves the check, the tick and the plan: a second reading could already
    // be in the next second, and the plan would then step over it.
    const ui::ClockReading now = m_clock.read();
    // A run that reads the second it last showed came early: it plans again instead of
    // showing that second twice.
    if (lastShown != now.date)
        timerRefresh_Timer(now.date);
    if (isLoaded())
        c.timerRefresh->start(now.msToNextSecond + kMarginMs);
}

void FrmTasselday::timerRefresh_Timer(double now)
{
    lastShown = now;
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
    if (left.lastMinute() && !c.txtDisplay->font().bold())
        c.txtDisplay->setFont(ui::makeFont({"Courier New", 12, 700}));
    c.txtDisplay->setText(countdown::displayLine(left));
    const double percent = countdown::PercentDone(*this, now);
    c.prgbarSchool->setPercent(float(percent));
    // A label leaves a text it already shows alone.
    c.lblSchoolCompleted->setText("School Year Completed: " + ui::numberToText(percent) + "%");
    // Qt leaves a control whose palette does not change alone.
    if (gesture.CheckSetTimeout())
        ui::setRoleColor(c.lblSet, QPalette::Window, ui::colors::Navy);
}

void FrmTasselday::lblSet_DblClick()
{
    const bool third = gesture.doubleClick();
    const quint32 stageColors[] = {ui::colors::Navy, 0x00900000, 0x00C00000};
    ui::setRoleColor(c.lblSet, QPalette::Window, stageColors[gesture.intSetStage]);
    if (third)
        emit optionsRequested();
}

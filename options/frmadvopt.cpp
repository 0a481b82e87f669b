#include "options/frmadvopt.h"

#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/leadnum.h"
#include "ui/platform.h"
#include "ui/typedtext.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPointer>
#include <QWindow>
#include <algorithm>

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
using C = FrmAdvOptControls;

namespace {
constexpr quint32 LightGreen = 0x0080FF80;
constexpr FontSettings Heading = {"Westminster", 18, 500};
constexpr FontSettings TimeText = {"Arial", 12.75};
constexpr FontSettings TimeColon = {"Arial", 12.75, 700};
constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment RightAligned = Qt::AlignRight | Qt::AlignTop;

const WindowLayout frmAdvOpt = {
    .caption = "Advanced Options",
    .clientWidth = 4680,
    .clientHeight = 3900,
    .back = Navy,
    .frame = Frame::FixedToolDialog,
    .placement = Placement::Centred,
};

// Controls without a font use the window's own. The lines are painted on the dialog's
// surface: over the opaque labels they run along, under the boxes, the list and the buttons,
// which come last, in Tab order. Escape cancels and never jumps to the ending, which can't
// be undone.
const Row<C> kRows[] = {
    {{Kind::Label, "Label3"}, {.text = "......Advanced Options......", .left = 240,
     .top = 120, .width = 4335, .height = 615, .back = Navy, .fore = Red,
     .font = {"Westminster", 24, 500}, .align = Centred}},
    {{Kind::Label, "Label1"}, {.text = "Graduation Time:", .left = 360, .top = 840,
     .width = 4095, .height = 375, .back = Navy, .fore = LightBlue, .font = Heading,
     .align = Centred}},
    {UI_CONTROL(C, lblGradTime_Date), {.text = "  at", .left = 240, .top = 1320,
     .width = 1335, .height = 315, .back = Navy, .fore = LightBlue, .font = TimeText,
     .align = RightAligned}},
    {{Kind::Label, "Label6"}, {.text = ":", .left = 2120, .top = 1320, .width = 105,
     .height = 315, .back = Navy, .fore = LightBlue, .font = TimeColon, .align = RightAligned}},
    {{Kind::Label, "Label8"}, {.text = ":", .left = 2760, .top = 1320, .width = 105,
     .height = 315, .back = Navy, .fore = LightBlue, .font = TimeColon, .align = RightAligned}},
    {{Kind::Label, "Label2"}, {.text = "Percent Bar", .left = 240, .top = 1800,
     .width = 4095, .height = 375, .back = Navy, .fore = LightBlue, .font = Heading,
     .align = Centred}},
    {{Kind::Label, "Label4"}, {.text = "Percent Bar/Label Precision:", .left = 480,
     .top = 2280, .width = 1815, .height = 495, .back = Navy, .fore = LightBlue,
     .align = Centred, .wordWrap = true}},
    {{Kind::Label, "Label7"}, {.text = "digits", .left = 3000, .top = 2280,
     .width = 495, .height = 285, .back = Navy, .fore = LightBlue}},
    {{Kind::Line, "Line3"}, {.left = 240, .top = 720, .width = 4680,
     .fore = Red, .lineWidth = 1}},
    {{Kind::Line, "Line1"}, {.left = 120, .top = 1800, .width = 4560,
     .fore = LightGreen, .lineWidth = 2}},
    {{Kind::Line, "Line2"}, {.left = 120, .top = 2760, .width = 4560,
     .fore = LightGreen, .lineWidth = 2}},
    {UI_CONTROL(C, cmdOK), {.text = "&OK", .left = 120, .top = 3480,
     .width = 1215, .height = 375, .back = LightBlue, .font = {"MS Sans Serif", 8.25, 700}}},
    {UI_CONTROL(C, cmdCancel), {.text = "&Cancel", .left = 1560, .top = 3480,
     .width = 1335, .height = 375, .back = LightBlue, .role = ButtonRole::Cancel}},
    {UI_CONTROL(C, txtPercentDigits), {.text = "Percent Digits", .left = 2520,
     .top = 2280, .width = 375, .height = 285, .back = LightBlue, .typedLimit = 1,
     .accessibleName = "Percent digits"}},
    {UI_CONTROL(C, cmdApply), {.text = "&Apply", .left = 3120, .top = 3480,
     .width = 1335, .height = 375, .back = LightBlue, .role = ButtonRole::Default}},
    {UI_CONTROL(C, cmdJump), {.text = "&Jump to the Ending", .left = 600,
     .top = 2880, .width = 3495, .height = 495, .back = LightGreen,
     .font = {"Westminster", 15.75, 800}, .cursor = jumpCursor}},
    // Wide enough to show the two digits of 10, 11 and 12 o'clock; it ends where it always did.
    {UI_CONTROL(C, txtSetTime_Hours), {.left = 1640, .top = 1320, .width = 440,
     .height = 315, .back = LightBlue, .font = TimeText, .typedLimit = 2, .accessibleName = "Hours"}},
    {UI_CONTROL(C, txtSetTime_Minutes), {.left = 2280, .top = 1320, .width = 440,
     .height = 315, .back = LightBlue, .font = TimeText, .typedLimit = 2, .accessibleName = "Minutes"}},
    {UI_CONTROL(C, comboSetTime_AMPM), {.left = 3600, .top = 1320,
     .width = 735, .height = 315, .back = LightBlue, .accessibleName = "AM or PM"}},
    {UI_CONTROL(C, txtSetTIme_Seconds), {.left = 2880, .top = 1320, .width = 440,
     .height = 315, .back = LightBlue, .font = TimeText, .typedLimit = 2, .accessibleName = "Seconds"}},
};
// clang-format on

// Asks the window manager to keep the dialog with the main window, which waits on it: above
// it, and minimised and restored together with it (the main window has the taskbar button,
// the dialog none). Should the dialog be minimised alone all the same, it comes back at once
// while its owner is on the screen, or when the owner is restored: the owner is never left
// waiting on a window the user can't reach.
void keepWithOwner(QWidget* window, QWidget* owner)
{
    // The relation is between the native windows, made now if they are not yet.
    window->winId();
    owner->winId();
    window->windowHandle()->setTransientParent(owner->windowHandle());
    const auto check = [window = QPointer(window), owner = QPointer(owner)] {
        if (window && owner && window->isMinimized() && owner->isVisible()
            && !owner->isMinimized()) {
            window->showNormal();
            window->raise();
            window->activateWindow();
        }
    };
    // Looked at once the window system's news of both windows has been taken in: a window
    // manager minimises the owner before the windows it keeps with it.
    for (const QWidget* each : {window, owner})
        QObject::connect(each->windowHandle(), &QWindow::windowStateChanged, window, check,
            Qt::QueuedConnection);
}

} // namespace

FrmAdvOpt::FrmAdvOpt(FrmTasselday& main, ui::MessageDialog& messages)
    : FormOf(frmAdvOpt, kRows), m_main(main), m_messages(messages)
{
}

void FrmAdvOpt::Form_Load()
{
    connect(c.cmdOK, &QPushButton::clicked, this, &FrmAdvOpt::cmdOK_Click);
    connect(c.cmdCancel, &QPushButton::clicked, this, &FrmAdvOpt::unload);
    connect(c.cmdApply, &QPushButton::clicked, this, &FrmAdvOpt::ApplyOptions);
    connect(c.cmdJump, &QPushButton::clicked, this, &FrmAdvOpt::jumpRequested);

    m_main.setEnabled(false);
    // The main window waits on this dialog from now on.
    if (m_main.window())
        keepWithOwner(window(), m_main.window());
    c.txtPercentDigits->setText(QString::number(m_main.intPercentDigits));

    // The date part is the whole short date, blanks and all; the time follows it after
    // one blank.
    strDatePart = ui::shortDate(m_main.GradDate);
    c.lblGradTime_Date->setText(strDatePart + c.lblGradTime_Date->text());
    // A long short date ("2006. 06. 04.") is shown whole: the right-aligned label first
    // reaches further left, up to the window's edge, then takes smaller type.
    const int overflow
        = QFontMetrics(c.lblGradTime_Date->font()).horizontalAdvance(c.lblGradTime_Date->text())
        - c.lblGradTime_Date->contentsRect().width();
    QRect dateBox = c.lblGradTime_Date->geometry();
    dateBox.setLeft(std::max(0, dateBox.left() - std::max(0, overflow)));
    c.lblGradTime_Date->setGeometry(dateBox);

    // The time of day as this locale's clock shows it: a 12-hour clock offers its own
    // designators ("午前", "午後") and picks the ceremony's half of the day.
    const ui::CivilTime t = ui::fromDateValue(m_main.GradDate).value_or(ui::CivilTime {});
    const bool twelveHour = ui::hasTwelveHourClock();
    const QLocale loc = ui::dateformat::effective(QLocale());
    c.comboSetTime_AMPM->addItems(
        twelveHour ? QStringList {loc.amText(), loc.pmText()} : QStringList {"AM", "PM"});
    if (twelveHour)
        intAMPM = t.hour < 12 ? 1 : 2;
    c.txtSetTime_Hours->setText(QString::number(twelveHour ? (t.hour + 11) % 12 + 1 : t.hour));
    c.txtSetTime_Minutes->setText(QString::number(t.minute).rightJustified(2, u'0'));
    c.txtSetTIme_Seconds->setText(QString::number(t.second).rightJustified(2, u'0'));
    // A 24-hour time has no half of the day to show, whatever an earlier opening saw.
    c.comboSetTime_AMPM->setCurrentIndex(twelveHour ? intAMPM - 1 : -1);
}

void FrmAdvOpt::Form_Unload()
{
    // Does nothing to a main window the hand-over has already closed.
    m_main.setEnabled(true);
}

bool FrmAdvOpt::ApplyOptions()
{
    const int half = c.comboSetTime_AMPM->currentIndex();
    if (half == 0 || half == 1)
        strAMPM = c.comboSetTime_AMPM->itemText(half);
    // A suffix remembered from an earlier opening means nothing to a 24-hour time: the
    // untouched boxes of such a locale must give back the moment they show.
    const QString suffix = half >= 0 || ui::hasTwelveHourClock() ? strAMPM : QString();

    const QString time = c.txtSetTime_Hours->text() + QLatin1Char(':')
        + c.txtSetTime_Minutes->text() + QLatin1Char(':') + c.txtSetTIme_Seconds->text() + suffix;
    // The reader takes a digit of any script the user may type, as the precision below does.
    const std::optional<double> moment
        = ui::readDateTime(strDatePart + QLatin1Char(' ') + time, QLocale());
    if (!moment) {
        // No owner: a tick that reaches the ceremony may close this dialog while the
        // box is still open.
        m_messages.show(nullptr,
            QStringLiteral("The graduation time \"%1\" is not a valid time of day. Enter hours, "
                           "minutes and seconds, for example 6:00:00.")
                .arg(time),
            QStringLiteral("Advanced Options"), ui::MessageDialog::Icon::Warning);
        return false;
    }

    m_main.GradDate = *moment;

    // Kept within 0..12, and the box shows the limit it was held to.
    const double typed = ui::leadingNumber(ui::asciiDigits(c.txtPercentDigits->text()));
    const double digits = qBound(0.0, typed, 12.0);
    if (digits != typed)
        c.txtPercentDigits->setText(QString::number(digits));
    m_main.intPercentDigits = ui::toInt16(digits);

    m_main.RefreshAllTimers();
    return true;
}

void FrmAdvOpt::cmdOK_Click()
{
    // A refresh that found no time left has already handed over and closed this dialog.
    if (ApplyOptions() && isLoaded())
        unload();
}

#include "options/frmadvopt.h"

#include "options/frmadvopt_layout.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/leadnum.h"
#include "ui/ownedwindow.h"
#include "ui/platform.h"
#include "ui/typedtext.h"

#include <QFontMetrics>
#include <QLocale>

#include <algorithm>

namespace {

QString twoDigits(qint16 n)
{
    return (n < 10 ? QStringLiteral("0") : QString()) + QString::number(n);
}

} // namespace

FrmAdvOpt::FrmAdvOpt(FrmTasselday& main, ui::MessageDialog& messages)
    : FormOf(layout::frmAdvOpt, layout::frmAdvOptControls()), m_main(main), m_messages(messages)
{
}

void FrmAdvOpt::bindControls()
{

    connect(c.cmdOK, &QPushButton::clicked, this, &FrmAdvOpt::cmdOK_Click);
    connect(c.cmdCancel, &QPushButton::clicked, this, &FrmAdvOpt::cmdCancel_Click);
    connect(c.cmdApply, &QPushButton::clicked, this, &FrmAdvOpt::cmdApply_Click);
    connect(c.cmdJump, &QPushButton::clicked, this, &FrmAdvOpt::cmdJump_Click);
}

void FrmAdvOpt::Form_Load()
{
    FrmTasselday& main = m_main;
    main.setEnabled(false);
    // The main window waits on this dialog from now on.
    if (main.window())
        ui::keepWithOwner(window(), main.window());
    c.txtPercentDigits->setText(QString::number(main.intPercentDigits));

    // At exactly midnight the general form leaves the time out. The moment one second
    // later has the same date and shows how this locale writes the first hour of the
    // day ("12:00:01 AM", "00:00:01"); its second is dropped below.
    const bool midnight = [&] {
        const ui::CivilTime t = ui::fromDateValue(main.GradDate).value_or(ui::CivilTime {});
        return t.hour == 0 && t.minute == 0 && t.second == 0;
    }();
    const QString T = ui::generalDate(midnight ? main.GradDate + 1.0 / 86400.0 : main.GradDate);

    // The date part is the whole short date, blanks and all; the time follows it after
    // one blank.
    strDatePart = ui::shortDate(main.GradDate);
    c.lblGradTime_Date->setText(strDatePart + c.lblGradTime_Date->text());
    // A long short date ("2006. 06. 04.") is shown whole: the right-aligned label first
    // reaches further left, up to the window's edge, then takes smaller type.
    const int overflow
        = QFontMetrics(c.lblGradTime_Date->font()).horizontalAdvance(c.lblGradTime_Date->text())
        - c.lblGradTime_Date->contentsRect().width();
    QRect dateBox = c.lblGradTime_Date->geometry();
    dateBox.setLeft(std::max(0, dateBox.left() - std::max(0, overflow)));
    c.lblGradTime_Date->setGeometry(dateBox);
    c.lblGradTime_Date->fitText();
    const QString time = T.mid(strDatePart.size() + 1);
    intHour = ui::toInt16(ui::leadingNumber(time.left(2)));
    const qsizetype colon1 = time.indexOf(QLatin1Char(':'));
    intMinute = ui::toInt16(ui::leadingNumber(time.mid(colon1 + 1, 2)));
    const qsizetype colon2 = time.indexOf(QLatin1Char(':'), colon1 + 1);
    intSecond = midnight ? 0 : ui::toInt16(ui::leadingNumber(time.mid(colon2 + 1, 2)));

    // A 12-hour locale offers its own designators and names one after the seconds.
    const bool twelveHour = ui::hasTwelveHourClock();
    if (twelveHour) {
        c.comboSetTime_AMPM->clear();
        c.comboSetTime_AMPM->addItems(ui::halfDayNames());
    }
    strAMPMRead = time.mid(colon2 + 3).trimmed();
    if (!strAMPMRead.isEmpty() && strAMPMRead == c.comboSetTime_AMPM->itemText(0))
        intAMPM = 1;
    else if (!strAMPMRead.isEmpty() && strAMPMRead == c.comboSetTime_AMPM->itemText(1))
        intAMPM = 2;

    c.txtSetTime_Hours->setText(QString::number(intHour));
    strMinute = twoDigits(intMinute);
    c.txtSetTime_Minutes->setText(strMinute);
    strSecond = twoDigits(intSecond);
    c.txtSetTIme_Seconds->setText(strSecond);
    // A 24-hour time has no half of the day to show, whatever an earlier opening saw.
    c.comboSetTime_AMPM->setCurrentIndex(twelveHour ? intAMPM - 1 : -1);

    c.cmdOK->setFocus();
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
    // A digit reads the same in every script the user may type it in, in the time as in
    // the precision below.
    const std::optional<double> moment
        = ui::readDateTime(strDatePart + QLatin1Char(' ') + ui::asciiDigits(time), QLocale());
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

    FrmTasselday& main = m_main;
    main.GradDate = *moment;

    const auto digits
        = [this] { return ui::leadingNumber(ui::asciiDigits(c.txtPercentDigits->text())); };
    if (digits() > 12)
        c.txtPercentDigits->setText(QStringLiteral("12"));
    if (digits() < 0)
        c.txtPercentDigits->setText(QStringLiteral("0"));
    main.intPercentDigits = ui::toInt16(digits());

    main.RefreshAllTimers();
    return true;
}

void FrmAdvOpt::cmdOK_Click()
{
    // A refresh that found no time left has already handed over and closed this dialog.
    if (ApplyOptions() && isLoaded())
        unload();
}

void FrmAdvOpt::cmdCancel_Click() { unload(); }

void FrmAdvOpt::cmdApply_Click() { ApplyOptions(); }

void FrmAdvOpt::cmdJump_Click() { emit jumpRequested(); }

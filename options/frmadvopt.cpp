#include "options/frmadvopt.h"

#include "app/forms.h"
#include "app/frmtasselday.h"
#include "options/frmadvopt_layout.h"
#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/leadnum.h"
#include "ui/platform.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QTimer>

namespace {

QString twoDigits(qint16 n)
{
    return (n < 10 ? QStringLiteral("0") : QString()) + QString::number(n);
}

} // namespace

FrmAdvOpt::FrmAdvOpt(Forms& forms)
    : ui::Form(layout::frmAdvOpt, layout::frmAdvOptControls()), m_forms(forms)
{
}

void FrmAdvOpt::bindControls()
{
    lblGradTime_Date = control<ui::Label>("lblGradTime_Date");
    txtSetTime_Hours = control<ui::TextBox>("txtSetTime_Hours");
    txtSetTime_Minutes = control<ui::TextBox>("txtSetTime_Minutes");
    txtSetTIme_Seconds = control<ui::TextBox>("txtSetTIme_Seconds");
    comboSetTime_AMPM = control<ui::ComboList>("comboSetTime_AMPM");
    txtPercentDigits = control<ui::TextBox>("txtPercentDigits");
    cmdJump = control<ui::Button>("cmdJump");
    cmdOK = control<ui::Button>("cmdOK");
    cmdCancel = control<ui::Button>("cmdCancel");
    cmdApply = control<ui::Button>("cmdApply");

    // The lines are painted on the dialog's surface: over the opaque labels they run
    // along, under the boxes, the list and the buttons.
    const QObjectList children = window()->children();
    for (QObject* c : children) {
        if (auto* line = qobject_cast<ui::Line*>(c))
            line->raise();
    }
    for (QObject* c : children) {
        if (qobject_cast<ui::TextBox*>(c) || qobject_cast<ui::Button*>(c)
            || qobject_cast<ui::ComboList*>(c))
            static_cast<QWidget*>(c)->raise();
    }

    cmdJump->setCursor(ui::jumpCursor());
    // Drawn as the default button; Enter and Escape are handled by the window itself,
    // which is not a QDialog.
    cmdApply->setDefault(true);
    window()->installEventFilter(this);

    setTabOrder({"cmdOK", "cmdCancel", "txtPercentDigits", "cmdApply", "cmdJump",
                 "txtSetTime_Hours", "txtSetTime_Minutes", "comboSetTime_AMPM",
                 "txtSetTIme_Seconds"});

    connect(cmdOK, &QPushButton::clicked, this, &FrmAdvOpt::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmAdvOpt::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &FrmAdvOpt::cmdApply_Click);
    connect(cmdJump, &QPushButton::clicked, this, &FrmAdvOpt::cmdJump_Click);
}

void FrmAdvOpt::Form_Load()
{
    FrmTasselday& main = m_forms.frmTasselday();
    main.setEnabled(false);
    txtPercentDigits->setText(QString::number(main.intPercentDigits));

    // At exactly midnight the general form leaves the time out. The moment one second
    // later has the same date and shows how this locale writes the first hour of the
    // day ("12:00:01 AM", "00:00:01"); its second is dropped below.
    const bool midnight = [&] {
        const ui::CivilTime t = ui::fromDateValue(main.GradDate).value_or(ui::CivilTime{});
        return t.hour == 0 && t.minute == 0 && t.second == 0;
    }();
    const QString T = ui::generalDate(midnight ? main.GradDate + 1.0 / 86400.0 : main.GradDate);

    const qsizetype blank = T.indexOf(QLatin1Char(' '));
    strDatePart = T.left(blank);
    lblGradTime_Date->setText(strDatePart + lblGradTime_Date->text());
    intHour = ui::toInt16(ui::leadingNumber(T.mid(blank + 1, 2)));
    const qsizetype colon1 = T.indexOf(QLatin1Char(':'));
    intMinute = ui::toInt16(ui::leadingNumber(T.mid(colon1 + 1, 2)));
    const qsizetype colon2 = T.indexOf(QLatin1Char(':'), colon1 + 1);
    intSecond = midnight ? 0 : ui::toInt16(ui::leadingNumber(T.mid(colon2 + 1, 2)));
    strAMPMRead = T.right(2);
    if (strAMPMRead == QLatin1String("AM"))
        intAMPM = 1;
    else if (strAMPMRead == QLatin1String("PM"))
        intAMPM = 2;

    txtSetTime_Hours->setText(QString::number(intHour));
    strMinute = twoDigits(intMinute);
    txtSetTime_Minutes->setText(strMinute);
    strSecond = twoDigits(intSecond);
    txtSetTIme_Seconds->setText(strSecond);
    comboSetTime_AMPM->setCurrentIndex(intAMPM - 1);

    cmdOK->setFocus();
    centreOnScreen();
}

void FrmAdvOpt::Form_Shown()
{
    // The frame is known only once the window manager has added it.
    QTimer::singleShot(0, window(), [this] {
        if (isLoaded())
            centreOnScreen();
    });
}

void FrmAdvOpt::centreOnScreen()
{
    QWidget* w = window();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize outer = w->frameGeometry().size();
    w->move(screen.x() + (screen.width() - outer.width()) / 2,
            screen.y() + (screen.height() - outer.height()) / 2);
}

void FrmAdvOpt::Form_Unload()
{
    // Does nothing to a main window the hand-over has already closed.
    m_forms.frmTasselday().setEnabled(true);
}

bool FrmAdvOpt::eventFilter(QObject* watched, QEvent* event)
{
    // Keys the focused control left alone reach the window: Enter applies, Escape leaves
    // without applying. Escape never jumps to the ending, which can't be undone.
    if (watched == window() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                cmdApply->click();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                cmdCancel->click();
                return true;
            }
        }
    }
    return ui::Form::eventFilter(watched, event);
}

bool FrmAdvOpt::ApplyOptions()
{
    if (comboSetTime_AMPM->currentIndex() == 0)
        strAMPM = QStringLiteral("AM");
    else if (comboSetTime_AMPM->currentIndex() == 1)
        strAMPM = QStringLiteral("PM");

    const QString time = txtSetTime_Hours->text() + QLatin1Char(':') + txtSetTime_Minutes->text()
        + QLatin1Char(':') + txtSetTIme_Seconds->text() + strAMPM;
    const std::optional<double> moment
        = ui::readDateTime(strDatePart + QLatin1Char(' ') + time, QLocale());
    if (!moment) {
        // No owner: a tick that reaches the ceremony may close this dialog while the
        // box is still open.
        m_forms.services.messages.show(
            nullptr,
            QStringLiteral("The graduation time \"%1\" is not a valid time of day. Enter hours, "
                           "minutes and seconds, for example 6:00:00.")
                .arg(time),
            QStringLiteral("Advanced Options"), ui::MessageBox::Icon::Warning);
        return false;
    }

    FrmTasselday& main = m_forms.frmTasselday();
    main.GradDate = *moment;

    if (ui::leadingNumber(txtPercentDigits->text()) > 12)
        txtPercentDigits->setText(QStringLiteral("12"));
    if (ui::leadingNumber(txtPercentDigits->text()) < 0)
        txtPercentDigits->setText(QStringLiteral("0"));
    main.intPercentDigits = ui::toInt16(ui::leadingNumber(txtPercentDigits->text()));

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

void FrmAdvOpt::cmdJump_Click() { handOverToCelebration(m_forms); }

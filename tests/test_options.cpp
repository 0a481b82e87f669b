// The options dialog driven as a user drives it, in every locale. (Its centring, names, colours,
// Enter on OK and Cancel and the main window it disables are the end-to-end scenarios'.)
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/fonts.h"

namespace {

struct Session : TestForms {
    FrmTasselday& main = forms.frmTasselday();
    FrmAdvOpt& dialog = forms.frmAdvOpt();
    const FrmAdvOptControls& c = dialog.controls();
    // Like a user: select what is in the box, then type over it.
    void type(ui::TextBox* b, const QString& text)
    {
        b->setFocus();
        b->selectAll();
        for (const QChar ch : text) // a key of any script, as a keyboard of that script types it
            QTest::sendKeyEvent(QTest::Click, b, Qt::Key(ch.toUpper().unicode()), ch, {});
    }
    // The time applied, written as h:mm:ss AP, and the percentage shown.
    QStringList applied() const
    {
        const ui::CivilTime t = *ui::fromDateValue(main.GradDate);
        return {QTime(t.hour, t.minute, t.second).toString(u"h:mm:ss AP"),
            main.controls().lblSchoolCompleted->text().section(u' ', 3)};
    }
};

// The precision before; what is typed into the time boxes and the precision, the list's key; the
// time the refusal names (null: none); the time and percentage applied (unset: as loaded), the
// precision box then; closing by Escape on Jump or by the close box (Cancel: end to end).
struct ApplyRow {
    const char *name, *locale = "en_US";
    int before = 5;
    const char* typed = "";
    int key = 0;
    const char *digits = "", *refused = nullptr, *time = "6:00:00 PM", *percent = "71.36702%",
               *box = "5", *close = "close box";
};

// clang-format off
const ApplyRow kApplies[] = {
    {.name = "24-hour, PM, above 12", .locale = "de_DE", .before = 15, .typed = "9:30:00",
     .key = Qt::Key_End, .time = "9:30:00 PM", .percent = "71,367019980507%", .box = "12",
     .close = "Escape"},
    {.name = "13 with PM, blanks", .typed = "13: 0: 0", .time = "1:00:00 PM"},
    {.name = "13 with AM", .typed = "13:00:00", .key = Qt::Key_Up, .refused = "13:00:00AM"},
    {.name = "0 with PM", .typed = "0:00:00", .refused = "0:00:00PM"},
    {.name = "hour 24", .typed = "24:00:00", .refused = "24:00:00PM"},
    {.name = "minute 75", .typed = "6:75:00", .digits = "9", .refused = "6:75:00PM", .box = "9"},
    {.name = "Arabic-Indic digits", .typed = "\u0669:\u0663\u0660:\u0660\u0660", .key = Qt::Key_Up,
     .digits = "\u0663", .time = "9:30:00 AM", .percent = "71.367%", .box = "\u0663"},
    {.name = "superscript, not a digit", .digits = "\u00B2", .percent = "71%", .box = "\u00B2"},
};
// clang-format on

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    // The focus starts on OK. Enter in a box applies (Apply is the default) at once: the time with
    // the picked half of the day (13 to 23 agree with PM only, 0 with AM only; blanks may stand
    // around each number) and the precision, kept within 0..12, digits of any script read alike in
    // both (in the precision, no other character reads as one). An unreadable time is named in a
    // message and changes nothing, on OK too. Closed then by any way but OK, it applies nothing
    // more and never jumps.
    void apply_data() { rows::add(kApplies); }
    void apply()
    {
        const ApplyRow& r = rows::fetch(kApplies);
        QLocale::setDefault(QLocale(r.locale));
        Session s;
        s.main.load();
        s.main.intPercentDigits = qint16(r.before);
        s.main.show(); // opened as the hidden square opens it, and made active for the keys
        s.dialog.show();
        s.dialog.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.dialog.window()));
        QTRY_COMPARE(s.dialog.window()->focusWidget(), s.c.cmdOK); // the first in Tab order
        ui::TextBox* const boxes[]
            = {s.c.txtSetTime_Hours, s.c.txtSetTime_Minutes, s.c.txtSetTIme_Seconds};
        for (int i = 0; i < 3; ++i)
            s.type(boxes[i], QString(r.typed).section(u':', i, i));
        if (r.key)
            QTest::keyClick(s.c.comboSetTime_AMPM, Qt::Key(r.key));
        s.type(s.c.txtPercentDigits, r.digits);
        QTest::keyClick(s.c.txtPercentDigits, Qt::Key_Return);
        if (r.refused)
            QTest::mouseClick(s.c.cmdOK, Qt::LeftButton);
        QCOMPARE(s.messages.shown.size(), r.refused ? 2 : 0);
        QCOMPARE(s.messages.shown.filter('"' + QString(r.refused) + '"'), s.messages.shown);
        QCOMPARE(s.applied(), (QStringList {r.time, r.percent}));
        QCOMPARE(s.c.txtPercentDigits->text(), QString(r.box));
        // Minimised alone all the same, it comes back at once: the main window waits on it.
        s.dialog.window()->showMinimized();
        QTRY_VERIFY(!s.dialog.window()->isMinimized());
        s.type(s.c.txtSetTime_Hours, "8");
        if (r.close == QLatin1String("Escape"))
            QTest::keyClick(s.c.cmdJump, Qt::Key_Escape);
        else
            s.dialog.window()->close();
        QTRY_VERIFY(!s.dialog.isLoaded() && !s.forms.frmDone().isLoaded());
        QCOMPARE(s.applied(), (QStringList {r.time, r.percent}));
    }

    // Every locale, times of day in turn: the heading and the dialog show the date whole, with
    // ASCII digits, a four-digit year and no bidi marks, and the time as set (the general form
    // writes no time at midnight; the dialog still shows one), and an untouched OK gives back
    // the same moment, after a 12-hour locale too. A second into the school year, 12 decimals
    // show in the exponent form, with ASCII digits and a "." or "," point.
    void everyLocaleGivesBackItsOwnValues()
    {
        Session s;
        s.clock.set(2005, 8, 24, 0, 0, 1);
        const auto whole = [](const ui::Label* l) {
            return ui::textFits(l->font(), l->text(), l->contentsRect(), l->textFlags());
        };
        const QTime times[] = {{18, 5, 9}, {10, 30, 0}, {12, 0, 1}, {0, 0, 0}};
        int i = 0;
        for (const QLocale& loc : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            const QTime at = times[i++ % 4];
            QLocale::setDefault(loc);
            s.main.unload(); // the heading is written when the main window loads
            s.main.load();
            s.main.intPercentDigits = 12;
            const double set = s.main.GradDate = ui::toDateValue(QDateTime(QDate(2006, 6, 4), at));
            s.dialog.show();
            const QString day = ui::shortDate(set, loc);
            const bool twelve = ui::hasTwelveHourClock(loc);
            // Built as QStrings: a locale's texts need not fit the system's 8-bit code page.
            const QStringList expected {"Time left until Graduation  (" + day + ") :", day + "  at",
                QString::number(twelve ? (at.hour() + 11) % 12 + 1 : at.hour()), at.toString(u"mm"),
                at.toString(u"ss"),
                twelve ? (at.hour() < 12 ? loc.amText() : loc.pmText()) : QString()};
            const auto* heading = s.main.controls().lblTimeLeft;
            const QStringList shown {heading->text(), s.c.lblGradTime_Date->text(),
                s.c.txtSetTime_Hours->text(), s.c.txtSetTime_Minutes->text(),
                s.c.txtSetTIme_Seconds->text(), s.c.comboSetTime_AMPM->currentText()};
            const bool ok = shown == expected && day.contains(u"2006")
                && !day.contains(QRegularExpression(QStringLiteral("\\p{Cf}"))) && whole(heading)
                && whole(s.c.lblGradTime_Date);
            QTest::mouseClick(s.c.cmdOK, Qt::LeftButton);
            const QString done = s.main.controls().lblSchoolCompleted->text().replace(u',', u'.');
            QVERIFY2(ok && !s.dialog.isLoaded() && s.main.GradDate == set
                    && s.messages.shown.isEmpty() && done == u"School Year Completed: 4.06108E-06%",
                qPrintable(loc.name() + ": " + shown.join(u'/') + '/' + done));
            TestForms::flush();
        }
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"

// The options dialog, opened the way a user does: what it shows, what Apply, OK, Cancel and
// the keys do to the main window, the jump to the celebration, the ceremony arriving while it
// is open, and every locale giving back what it shows.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/numbers.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

namespace {

constexpr double kCeremony = 38872.75;  // 4 June 2006 18:00:00

const char* const kTimeBoxes[] = {"txtSetTime_Hours", "txtSetTime_Minutes",
                                  "txtSetTIme_Seconds"};

// The current row's value in `column`.
template <class T> T row(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}

template <class T = ui::TextBox> T* ctl(TestForms& t, const char* name)
{
    return t.forms.frmAdvOpt().control<T>(name);
}

// Date label | hours | minutes | seconds | half of the day | precision
QString shown(TestForms& t)
{
    QStringList s{ctl<ui::Label>(t, "lblGradTime_Date")->text()};
    for (const char* box : kTimeBoxes)
        s << ctl(t, box)->text();
    return (s << ctl<ui::ComboList>(t, "comboSetTime_AMPM")->currentText()
              << ctl(t, "txtPercentDigits")->text()).join(u'|');
}

// The main window on screen, then the hidden square's three double-clicks.
bool openByGesture(TestForms& t)
{
    FrmTasselday& main = t.forms.frmTasselday();
    main.show();
    if (!QTest::qWaitForWindowExposed(main.window()))
        return false;
    for (int i = 0; i < 3; ++i)
        QTest::mouseDClick(main.control<ui::Label>("lblSet"), Qt::LeftButton);
    return t.forms.frmAdvOpt().isLoaded()
        && QTest::qWaitForWindowExposed(t.forms.frmAdvOpt().window());
}

// Keys go to whatever has the focus, so the dialog must be the active window.
bool activate(TestForms& t)
{
    t.forms.frmAdvOpt().window()->activateWindow();
    return QTest::qWaitForWindowActive(t.forms.frmAdvOpt().window());
}

// Like a user: select what is in the box, then type over it. A null text types nothing.
void typeInto(TestForms& t, const char* name, const QString& text)
{
    if (text.isNull())
        return;
    ui::TextBox* b = ctl(t, name);
    b->setFocus();
    b->selectAll();
    text.isEmpty() ? QTest::keyClick(b, Qt::Key_Delete) : QTest::keyClicks(b, text);
}

void press(TestForms& t, const char* name)
{
    QTest::mouseClick(ctl<ui::Button>(t, name), Qt::LeftButton);
}

// Only the celebration is left, and nothing brings the closed windows back.
bool celebrationOnly(TestForms& t)
{
    TestForms::flush();
    return t.forms.frmDone().isLoaded() && t.forms.frmDone().window()->isVisible()
        && !t.forms.frmTasselday().isLoaded() && !t.forms.frmAbout().isLoaded()
        && !t.forms.frmAdvOpt().isLoaded() && t.programEnds == 0;
}

}  // namespace

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // Showing a window asks the offscreen platform to raise it, which it can't.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.contains(QLatin1String("does not support raise()")))
                    previous(type, context, text);
            });
    }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Centred on the screen with the scheduled moment; Cancel leaves nothing behind, and an
    // untouched OK gives the moment back.
    void opensWithTheScheduleAndOkKeepsIt_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("moment");
        QTest::addColumn<QString>("shown");
        const auto at = [](int h, int m, int s) { return ui::toDateValue(2006, 6, 4, h, m, s); };
        const struct { const char* name; const char* loc; double moment; const char* shown; } rows[] = {
            {"built-in", "en_US", kCeremony, "6/4/2006  at|6|00|00|PM|5"},
            {"5 past", "en_US", at(18, 5, 9), "6/4/2006  at|6|05|09|PM|5"},
            {"ten", "en_US", at(10, 30, 0), "6/4/2006  at|10|30|00|AM|5"},
            {"noon", "en_US", at(12, 0, 1), "6/4/2006  at|12|00|01|PM|5"},
            // The general form writes no time at midnight; the dialog still shows one.
            {"midnight", "en_US", at(0, 0, 0), "6/4/2006  at|12|00|00|AM|5"},
            {"24-hour midnight", "de_DE", at(0, 0, 0), "04.06.2006  at|0|00|00||5"}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.loc << r.moment << r.shown;
    }
    void opensWithTheScheduleAndOkKeepsIt()
    {
        QFETCH(double, moment);
        QLocale::setDefault(QLocale(row<QString>("locale")));
        TestForms t;
        t.forms.frmTasselday().load();
        t.forms.frmTasselday().GradDate = moment;
        QVERIFY(openByGesture(t));
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        const QWidget* w = t.forms.frmAdvOpt().window();
        QTRY_VERIFY((w->frameGeometry().center() - centre).manhattanLength() <= 2);
        QTEST(shown(t), "shown");
        typeInto(t, "txtSetTime_Hours", "9");
        press(t, "cmdCancel");
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        TestForms::flush();
        QVERIFY(openByGesture(t));
        QTEST(shown(t), "shown");
        press(t, "cmdOK");
        QVERIFY(t.messages.shown.isEmpty());
        QCOMPARE(t.forms.frmTasselday().GradDate, moment);
        QCOMPARE(t.forms.frmTasselday().intPercentDigits, qint16(5));
    }

    // Apply hands the time (with the picked half of the day) and the precision, kept within
    // 0..12, to the main window at once and leaves the dialog open over it. An unreadable time
    // is named in a message and changes nothing, on Apply and on OK alike.
    void apply_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");  // hours:minutes:seconds; null: not typed
        QTest::addColumn<int>("key");  // picks the half of the day; 0: none
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("digits");  // null: not typed
        QTest::addColumn<QString>("refused");  // the time the message names
        QTest::addColumn<QString>("state");  // time | precision | percent shown | precision box
        const char* const no = nullptr;
        const struct { const char *name, *loc, *typed; int key, before;
                       const char *digits, *refused, *state; } rows[] = {
            {"AM", "en_US", "9:30:00", Qt::Key_Up, 5, no, no, "9:30:00 AM|5|71.36702%|5"},
            {"PM", "en_US", "9:30:00", Qt::Key_Down, 5, no, no, "9:30:00 PM|5|71.36702%|5"},
            {"24-hour", "de_DE", "21:30:00", 0, 5, no, no, "9:30:00 PM|5|71,36702%|5"},
            {"24-hour, PM", "de_DE", "9:30:00", Qt::Key_End, 5, no, no, "9:30:00 PM|5|71,36702%|5"},
            {"9 digits", "en_US", no, 0, 5, "9", no, "6:00:00 PM|9|71.367019981%|9"},
            {"0 digits", "en_US", no, 0, 5, "0", no, "6:00:00 PM|0|71%|0"},
            {"no digits", "en_US", no, 0, 5, "", no, "6:00:00 PM|0|71%|"},
            {"minus", "en_US", no, 0, 5, "-", no, "6:00:00 PM|0|71%|-"},
            {"above 12", "en_US", no, 0, 15, no, no, "6:00:00 PM|12|71.367019980507%|12"},
            {"below 0", "en_US", no, 0, -3, no, no, "6:00:00 PM|0|71%|0"},
            {"empty hour", "en_US", ":00:00", 0, 5, "9", "\":00:00PM\"", "6:00:00 PM|5|71.36702%|9"},
            {"letter", "en_US", "6:3x:00", 0, 5, "9", "\"6:3x:00PM\"", "6:00:00 PM|5|71.36702%|9"},
            {"minute 75", "en_US", "6:75:00", 0, 5, "9", "\"6:75:00PM\"", "6:00:00 PM|5|71.36702%|9"}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.loc << QString(r.typed) << r.key << r.before
                                  << QString(r.digits) << QString(r.refused) << r.state;
    }
    void apply()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, refused);
        QFETCH(QString, state);
        QLocale::setDefault(QLocale(row<QString>("locale")));
        TestForms t;
        FrmTasselday& main = t.forms.frmTasselday();
        main.load();
        main.intPercentDigits = qint16(row<int>("before"));
        QVERIFY(openByGesture(t));
        for (int i = 0; !typed.isNull() && i < 3; ++i)
            typeInto(t, kTimeBoxes[i], QStringLiteral("") + typed.section(u':', i, i));
        if (key) {
            ctl<ui::ComboList>(t, "comboSetTime_AMPM")->setFocus();
            QTest::keyClick(ctl<ui::ComboList>(t, "comboSetTime_AMPM"), Qt::Key(key));
        }
        typeInto(t, "txtPercentDigits", row<QString>("digits"));
        press(t, "cmdApply");
        QCOMPARE(t.messages.shown.size(), refused.isNull() ? 0 : 1);
        if (!refused.isNull()) {
            press(t, "cmdOK");
            QCOMPARE(t.messages.shown.size(), 2);
            const QString message = t.messages.shown.last().text;
            QVERIFY2(message.contains(refused), qPrintable(message));
        }
        const auto mainState = [&] {
            const QString percent = main.control<ui::Label>("lblSchoolCompleted")->text();
            return ui::generalDate(main.GradDate, QLocale::c()).section(u' ', 1) + u'|'
                + QString::number(main.intPercentDigits) + u'|' + percent.section(u' ', 3);
        };
        QCOMPARE(mainState() + u'|' + ctl(t, "txtPercentDigits")->text(), state);
        QVERIFY(t.forms.frmAdvOpt().isLoaded() && !main.enabled());
        // Cancel after Apply keeps what was applied; an untouched OK gives it back.
        typeInto(t, "txtSetTime_Hours", "8");
        press(t, "cmdCancel");
        QVERIFY(openByGesture(t));
        press(t, "cmdOK");
        QCOMPARE(mainState(), state.section(u'|', 0, 2));
    }

    // Hour 7 typed, then keys with the focus on a control (no keys: the close box). A focused
    // button takes Enter itself; elsewhere Enter presses the default, Apply. Escape leaves
    // without applying and never jumps to the ending, even from Jump.
    void keysApplyOrClose_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("applied");
        const char* hours = "txtSetTime_Hours";
        const struct { const char *name, *focus; QKeySequence keys; bool closes, applied; } rows[] = {
            {"Enter in a box", hours, Qt::Key_Return, false, true},
            {"keypad Enter on OK", "cmdOK", Qt::KeypadModifier | Qt::Key_Enter, true, true},
            {"Enter on Cancel", "cmdCancel", Qt::Key_Return, true, false},
            {"Enter on Apply", "cmdApply", Qt::Key_Return, false, true},
            {"Enter in the list", "comboSetTime_AMPM", Qt::Key_Return, false, true},
            {"Alt+A", hours, Qt::ALT | Qt::Key_A, false, true},
            {"Alt+O", hours, Qt::ALT | Qt::Key_O, true, true},
            {"Alt+C", hours, Qt::ALT | Qt::Key_C, true, false},
            {"Escape on Jump", "cmdJump", Qt::Key_Escape, true, false},
            {"close box", hours, {}, true, false}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.focus << r.keys << r.closes << r.applied;
    }
    void keysApplyOrClose()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(bool, closes);
        TestForms t;
        FrmTasselday& main = t.forms.frmTasselday();
        QVERIFY(openByGesture(t) && activate(t));
        typeInto(t, "txtSetTime_Hours", "7");
        auto* target = ctl<QWidget>(t, qPrintable(row<QString>("focus")));
        target->setFocus();
        if (keys.isEmpty())
            t.forms.frmAdvOpt().window()->close();
        else
            QTest::keySequence(target, keys);
        // An access key presses its button the way a click does, a moment later.
        QTRY_COMPARE(t.forms.frmAdvOpt().isLoaded(), !closes);
        const double sevenPm = ui::toDateValue(2006, 6, 4, 19, 0, 0);
        QTRY_COMPARE(main.GradDate, row<bool>("applied") ? sevenPm : kCeremony);
        QCOMPARE(t.forms.frmAdvOpt().isLoaded(), !closes);
        QVERIFY(main.isLoaded() && t.programEnds == 0);
        QCOMPARE(main.enabled(), closes);
        // The hidden square takes double-clicks again.
        QVERIFY(!closes || openByGesture(t));
    }

    void tabOrderAndTheHourBoxTakingTwoDigits()
    {
        TestForms t;
        QVERIFY(openByGesture(t) && activate(t));
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, QStringList({"cmdOK", "cmdCancel", "txtPercentDigits", "cmdApply",
                                    "cmdJump", "txtSetTime_Hours", "txtSetTime_Minutes",
                                    "comboSetTime_AMPM", "txtSetTIme_Seconds", "cmdOK"}));
        typeInto(t, "txtSetTime_Hours", "123");
        QCOMPARE(ctl(t, "txtSetTime_Hours")->text(), QStringLiteral("12"));
    }

    // Jump, however pressed, goes straight to the celebration, applying nothing.
    void jump_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "Alt+J", "Enter on Jump"})
            QTest::newRow(how) << how;
    }
    void jump()
    {
        QFETCH(QString, how);
        TestForms t;
        t.forms.frmAbout().show();
        QVERIFY(openByGesture(t) && activate(t));
        typeInto(t, "txtSetTime_Hours", "9");
        QWidget* jump = ctl<QWidget>(t, "cmdJump");
        jump->setFocus();
        how == "click" ? press(t, "cmdJump")
            : how == "Alt+J" ? QTest::keyClick(jump, Qt::Key_J, Qt::AltModifier)
                             : QTest::keyClick(jump, Qt::Key_Return);
        QTRY_VERIFY(t.forms.frmDone().isLoaded());
        QVERIFY(celebrationOnly(t));
        QCOMPARE(t.forms.frmTasselday().GradDate, kCeremony);
    }

    // The main window's own timer goes on counting under the dialog, and the tick that reaches
    // the ceremony closes the dialog and hands over.
    void mainWindowTicksUnderTheDialog()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        const auto* display = t.forms.frmTasselday().control<ui::TextBox>("txtDisplay");
        QCOMPARE(display->text(), "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!");
        t.clock.advanceSeconds(5);
        QTRY_COMPARE_WITH_TIMEOUT(display->text(),
                                  "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 40 Seconds!", 2500);
        QVERIFY(!t.forms.frmTasselday().enabled());
        t.clock.set(2006, 6, 4, 18, 0, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!t.forms.frmAdvOpt().isLoaded(), 2500);
        QVERIFY(celebrationOnly(t));
    }

    // Every locale Qt knows, through one set of windows: the heading and the dialog show the
    // ceremony's date whole, an untouched OK gives it back, and a new time of day applies on
    // the same date and opens again as it was applied.
    void everyLocaleGivesBackItsOwnValues()
    {
        TestForms t;
        FrmTasselday& main = t.forms.frmTasselday();
        FrmAdvOpt& dialog = t.forms.frmAdvOpt();
        const double halfPastNinePm = ui::toDateValue(2006, 6, 4, 21, 30);
        const auto fits = [](const ui::Label* l) {
            return QFontMetrics(l->font()).horizontalAdvance(l->text())
                <= l->contentsRect().width();
        };
        QStringList failed;
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        for (const QLocale& loc : locales) {
            QLocale::setDefault(loc);
            main.unload();  // the heading is written when the main window loads
            main.load();
            const auto* heading = main.control<ui::Label>("lblTimeLeft");
            const bool twelve = ui::hasTwelveHourClock(loc);
            const QString day = ui::shortDate(kCeremony, loc);
            const QString pm = twelve ? ui::halfDayNames(loc).at(1) : QString();
            const auto shows = [&](int hour, const char* minutes) {
                return shown(t) == QStringList{day + "  at", QString::number(twelve ? hour : hour + 12),
                                               minutes, "00", pm, "5"}.join(u'|');
            };
            const QString percent = ui::numberToText(71.36702, loc);
            bool ok = heading->text() == "Time left until Graduation  (" + day + ") :"
                && fits(heading) && main.control<ui::Label>("lblSchoolCompleted")->text()
                    == "School Year Completed: " + percent + "%";
            dialog.show();
            const auto* dateLabel = dialog.control<ui::Label>("lblGradTime_Date");
            ok = ok && shows(6, "00") && fits(dateLabel);
            // Type is made smaller only where the text would not fit.
            if (loc == QLocale(QLocale::English, QLocale::UnitedStates))
                ok = ok && heading->font().pixelSize() == 24
                    && dateLabel->font().pixelSize() == 17;
            press(t, "cmdOK");
            ok = ok && !dialog.isLoaded() && main.GradDate == kCeremony;
            dialog.show();
            typeInto(t, "txtSetTime_Hours", twelve ? "9" : "21");
            typeInto(t, "txtSetTime_Minutes", "30");
            press(t, "cmdOK");
            dialog.show();
            ok = ok && main.GradDate == halfPastNinePm && shows(9, "30");
            press(t, "cmdOK");
            ok = ok && !dialog.isLoaded() && main.GradDate == halfPastNinePm;
            if (!ok || !t.messages.shown.isEmpty())
                failed << loc.name();
            t.messages.shown.clear();
            TestForms::flush();
        }
        QVERIFY(locales.size() > 600);
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(u' ')));
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"

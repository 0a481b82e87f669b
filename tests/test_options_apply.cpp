// Applying the options: the new time of day and precision reach the main window at once,
// unreadable times change nothing, and every way of closing gives the main window back.
#include "test_options_fixture.h"

#include <QApplication>

using namespace optionsTest;

class OptionsApplyTest : public QObject {
    Q_OBJECT

    static double sevenPm() { return ui::toDateValue(2006, 6, 4, 19, 0, 0); }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void halfPastNine_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<int>("key"); // picks the half of the day; 0: none to pick
        QTest::addColumn<double>("moment");
        const double morning = ui::toDateValue(2006, 6, 4, 9, 30, 0);
        QTest::newRow("AM") << "en_US" << "9" << int(Qt::Key_Up) << morning;
        QTest::newRow("PM") << "en_US" << "9" << int(Qt::Key_Down) << morning + 0.5;
        QTest::newRow("24-hour") << "de_DE" << "21" << 0 << morning + 0.5;
        QTest::newRow("24-hour, PM picked") << "de_DE" << "9" << int(Qt::Key_End) << morning + 0.5;
    }
    void halfPastNine()
    {
        QFETCH(QString, locale);
        QFETCH(QString, hours);
        QFETCH(int, key);
        QLocale::setDefault(QLocale(locale));
        TestForms t;
        QVERIFY(openByGesture(t));
        typeTime(t, hours, QStringLiteral("30"), QStringLiteral("00"));
        if (key) {
            amPm(t)->setFocus();
            QTest::keyClick(amPm(t), Qt::Key(key));
        }
        press(t, "cmdApply");
        QVERIFY(t.messages.shown.isEmpty());
        QTEST(t.forms.frmTasselday().GradDate, "moment");
        // Apply leaves the dialog open over the still disabled main window.
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
        QVERIFY(!t.forms.frmTasselday().enabled());

        // The dialog gives back untouched what it applied, now and at the next opening.
        press(t, "cmdOK");
        QVERIFY(openByGesture(t));
        press(t, "cmdOK");
        QVERIFY(t.messages.shown.isEmpty());
        QTEST(t.forms.frmTasselday().GradDate, "moment");
    }

    void precisionIsKeptBetweenNoneAndTwelve_data()
    {
        QTest::addColumn<qint16>("before"); // what the dialog opens with
        QTest::addColumn<QString>("typed"); // null: nothing typed
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<qint16>("applied");
        QTest::addColumn<QString>("percent");
        QTest::newRow("9") << qint16(5) << "9" << "9" << qint16(9) << "71.367019981%";
        QTest::newRow("0") << qint16(5) << "0" << "0" << qint16(0) << "71%";
        QTest::newRow("empty") << qint16(5) << "" << "" << qint16(0) << "71%";
        QTest::newRow("minus") << qint16(5) << "-" << "-" << qint16(0) << "71%";
        QTest::newRow("above 12")
            << qint16(15) << QString() << "12" << qint16(12) << "71.367019980507%";
        QTest::newRow("below 0") << qint16(-3) << QString() << "0" << qint16(0) << "71%";
    }
    void precisionIsKeptBetweenNoneAndTwelve()
    {
        QFETCH(qint16, before);
        QFETCH(QString, typed);
        QFETCH(QString, percent);
        TestForms t;
        t.forms.frmTasselday().load();
        t.forms.frmTasselday().intPercentDigits = before;
        QVERIFY(openByGesture(t));
        if (!typed.isNull())
            typeInto(box(t, "txtPercentDigits"), typed);
        press(t, "cmdApply");
        QTEST(box(t, "txtPercentDigits")->text(), "boxAfter");
        QTEST(t.forms.frmTasselday().intPercentDigits, "applied");
        QCOMPARE(t.forms.frmTasselday().control<ui::Label>("lblSchoolCompleted")->text(),
                 QStringLiteral("School Year Completed: ") + percent);
        QCOMPARE(t.forms.frmTasselday().GradDate, kBuiltInCeremony);
    }

    void unreadableTimeChangesNothing_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty hour") << "" << "00" << "\":00:00PM\"";
        QTest::newRow("letter") << "6" << "3x" << "\"6:3x:00PM\"";
        QTest::newRow("minute 75") << "6" << "75" << "\"6:75:00PM\"";
    }
    void unreadableTimeChangesNothing()
    {
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(QString, named);
        TestForms t;
        QVERIFY(openByGesture(t));
        typeTime(t, hours, minutes, QStringLiteral("00"));
        typeInto(box(t, "txtPercentDigits"), QStringLiteral("9"));
        press(t, "cmdApply");
        QCOMPARE(t.messages.shown.size(), 1);
        const QString text = t.messages.shown.first().text;
        QVERIFY2(text.contains(named), qPrintable(text));

        // OK meets the same refusal and the dialog stays open.
        press(t, "cmdOK");
        QCOMPARE(t.messages.shown.size(), 2);
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
        QVERIFY(!t.forms.frmTasselday().enabled());
        QCOMPARE(t.forms.frmTasselday().GradDate, kBuiltInCeremony);
        QCOMPARE(t.forms.frmTasselday().intPercentDigits, qint16(5));
        QCOMPARE(box(t, "txtPercentDigits")->text(), QStringLiteral("9"));
    }

    void cancelAfterApplyKeepsWhatWasApplied()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("7"));
        typeInto(box(t, "txtPercentDigits"), QStringLiteral("2"));
        press(t, "cmdApply");
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("8"));
        press(t, "cmdCancel");
        QCOMPARE(t.forms.frmTasselday().GradDate, sevenPm());
        QCOMPARE(t.forms.frmTasselday().intPercentDigits, qint16(2));
    }

    // Hour 7 typed, then keys with the focus on a control (no keys: the close box).
    void keysApplyOrClose_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("applied");
        const QString hours = QStringLiteral("txtSetTime_Hours");
        // A focused button takes Enter itself; elsewhere Enter presses the default, Apply.
        QTest::newRow("Enter in a box") << hours << QKeySequence(Qt::Key_Return) << false << true;
        QTest::newRow("keypad Enter on OK")
            << "cmdOK" << QKeySequence(Qt::KeypadModifier | Qt::Key_Enter) << true << true;
        QTest::newRow("Enter on Cancel")
            << "cmdCancel" << QKeySequence(Qt::Key_Return) << true << false;
        QTest::newRow("Enter on Apply") << "cmdApply" << QKeySequence(Qt::Key_Return) << false << true;
        QTest::newRow("Enter in the list")
            << "comboSetTime_AMPM" << QKeySequence(Qt::Key_Return) << false << true;
        QTest::newRow("Alt+A") << hours << QKeySequence(Qt::ALT | Qt::Key_A) << false << true;
        QTest::newRow("Alt+O") << hours << QKeySequence(Qt::ALT | Qt::Key_O) << true << true;
        QTest::newRow("Alt+C") << hours << QKeySequence(Qt::ALT | Qt::Key_C) << true << false;
        // Escape leaves without applying and never jumps to the ending, even from Jump.
        QTest::newRow("Escape on Jump")
            << "cmdJump" << QKeySequence(Qt::Key_Escape) << true << false;
        QTest::newRow("close box") << hours << QKeySequence() << true << false;
    }
    void keysApplyOrClose()
    {
        QFETCH(QString, focus);
        QFETCH(QKeySequence, keys);
        QFETCH(bool, closes);
        QFETCH(bool, applied);
        TestForms t;
        QVERIFY(openByGesture(t));
        QVERIFY(activate(t));
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("7"));
        auto* target = t.forms.frmAdvOpt().control<QWidget>(qPrintable(focus));
        target->setFocus();
        if (!keys.isEmpty())
            QTest::keySequence(target, keys);
        else
            t.forms.frmAdvOpt().window()->close();

        // An access key presses its button the way a click does, a moment later.
        auto& main = t.forms.frmTasselday();
        QTRY_COMPARE(t.forms.frmAdvOpt().isLoaded(), !closes);
        QTRY_COMPARE(main.GradDate, applied ? sevenPm() : kBuiltInCeremony);
        QCOMPARE(t.forms.frmAdvOpt().isLoaded(), !closes);
        QVERIFY(main.isLoaded());
        QCOMPARE(main.enabled(), closes);
        QCOMPARE(t.programEnds, 0);
        // The hidden square takes double-clicks again.
        if (closes)
            QVERIFY(openByGesture(t));
    }

    void mainWindowKeepsCountingWhileDisabled()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        QCOMPARE(display(t),
                 QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!"));
        t.clock.advanceSeconds(5);
        QTRY_COMPARE_WITH_TIMEOUT(
            display(t), QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 40 Seconds!"), 2500);
        QVERIFY(!t.forms.frmTasselday().enabled());
    }
};

QTEST_MAIN(OptionsApplyTest)
#include "test_options_apply.moc"

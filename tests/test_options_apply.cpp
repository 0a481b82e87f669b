// Applying the options: the new time of day and precision reach the main window at once,
// unreadable times change nothing, and every way of closing gives the main window back.
#include "test_options_fixture.h"

#include <QApplication>

using namespace optionsTest;

class OptionsApplyTest : public QObject {
    Q_OBJECT

    static constexpr auto kBuiltInDisplay = "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!";

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void okWithoutChangesGivesBackTheSameMoment()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        press(t, "cmdOK");
        auto& main = t.forms.frmTasselday();
        QCOMPARE(main.GradDate, kBuiltInCeremony);
        QCOMPARE(main.intPercentDigits, qint16(5));
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        QVERIFY(main.enabled());
        QCOMPARE(display(t), QLatin1String(kBuiltInDisplay));
    }

    void okAtMidnightKeepsMidnight()
    {
        TestForms t;
        t.forms.frmTasselday().load();
        const double midnight = ui::toDateValue(2006, 6, 4);
        t.forms.frmTasselday().GradDate = midnight;
        QVERIFY(openByGesture(t));
        press(t, "cmdOK");
        QVERIFY(t.messages.shown.isEmpty());
        QCOMPARE(t.forms.frmTasselday().GradDate, midnight);
    }

    void halfPastNineMorningOrEvening_data()
    {
        QTest::addColumn<bool>("morning");
        QTest::addColumn<double>("moment");
        QTest::addColumn<QString>("shown");
        QTest::newRow("AM") << true << ui::toDateValue(2006, 6, 4, 9, 30, 0)
                            << "11 Weeks, 3 Days, 23 Hours, 59 Minutes, 45 Seconds!";
        QTest::newRow("PM") << false << ui::toDateValue(2006, 6, 4, 21, 30, 0)
                            << "11 Weeks, 4 Days, 11 Hours, 59 Minutes, 45 Seconds!";
    }
    void halfPastNineMorningOrEvening()
    {
        QFETCH(bool, morning);
        TestForms t;
        QVERIFY(openByGesture(t));
        typeTime(t, QStringLiteral("9"), QStringLiteral("30"), QStringLiteral("00"));
        ui::ComboList* list = amPm(t);
        list->setFocus();
        QTest::keyClick(list, morning ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(list->currentText(), morning ? QStringLiteral("AM") : QStringLiteral("PM"));

        press(t, "cmdApply");
        QTEST(t.forms.frmTasselday().GradDate, "moment");
        QTEST(display(t), "shown");
        // Apply leaves the dialog open over the still disabled main window.
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
        QVERIFY(!t.forms.frmTasselday().enabled());
    }

    void precisionIsKeptBetweenNoneAndTwelve_data()
    {
        QTest::addColumn<qint16>("before"); // what the dialog opens with
        QTest::addColumn<QString>("typed"); // null: nothing typed
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<qint16>("applied");
        QTest::addColumn<QString>("percent");
        QTest::newRow("9") << qint16(5) << "9" << "9" << qint16(9)
                           << "School Year Completed: 71.367019981%";
        QTest::newRow("0") << qint16(5) << "0" << "0" << qint16(0) << "School Year Completed: 71%";
        QTest::newRow("empty") << qint16(5) << "" << "" << qint16(0) << "School Year Completed: 71%";
        QTest::newRow("minus") << qint16(5) << "-" << "-" << qint16(0)
                               << "School Year Completed: 71%";
        QTest::newRow("above 12") << qint16(15) << QString() << "12" << qint16(12)
                                  << "School Year Completed: 71.367019980507%";
        QTest::newRow("below 0") << qint16(-3) << QString() << "0" << qint16(0)
                                 << "School Year Completed: 71%";
    }
    void precisionIsKeptBetweenNoneAndTwelve()
    {
        QFETCH(qint16, before);
        QFETCH(QString, typed);
        TestForms t;
        t.forms.frmTasselday().load();
        t.forms.frmTasselday().intPercentDigits = before;
        QVERIFY(openByGesture(t));
        if (!typed.isNull())
            typeInto(box(t, "txtPercentDigits"), typed);
        press(t, "cmdApply");
        QTEST(box(t, "txtPercentDigits")->text(), "boxAfter");
        QTEST(t.forms.frmTasselday().intPercentDigits, "applied");
        QTEST(percentLabel(t), "percent");
        QCOMPARE(t.forms.frmTasselday().GradDate, kBuiltInCeremony);
    }

    void unreadableTimeChangesNothing_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty hour") << "" << "00" << "00" << "\":00:00PM\"";
        QTest::newRow("letter") << "6" << "3x" << "00" << "\"6:3x:00PM\"";
        QTest::newRow("minute 75") << "6" << "75" << "00" << "\"6:75:00PM\"";
        QTest::newRow("hour 13 with PM") << "13" << "00" << "00" << "\"13:00:00PM\"";
    }
    void unreadableTimeChangesNothing()
    {
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(QString, seconds);
        QFETCH(QString, named);
        TestForms t;
        QVERIFY(openByGesture(t));
        typeTime(t, hours, minutes, seconds);
        typeInto(box(t, "txtPercentDigits"), QStringLiteral("9"));

        press(t, "cmdApply");
        QCOMPARE(t.messages.shown.size(), 1);
        const auto& message = t.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Advanced Options"));
        QCOMPARE(message.icon, ui::MessageBox::Icon::Warning);
        QVERIFY2(message.text.contains(named), qPrintable(message.text));
        QVERIFY(message.text.contains(QStringLiteral("not a valid time")));

        // OK meets the same refusal and the dialog stays open.
        press(t, "cmdOK");
        QCOMPARE(t.messages.shown.size(), 2);
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
        QVERIFY(!t.forms.frmTasselday().enabled());
        QCOMPARE(t.forms.frmTasselday().GradDate, kBuiltInCeremony);
        QCOMPARE(t.forms.frmTasselday().intPercentDigits, qint16(5));
        QCOMPARE(box(t, "txtPercentDigits")->text(), QStringLiteral("9"));

        // Mended, it applies.
        typeTime(t, QStringLiteral("7"), QStringLiteral("15"), QStringLiteral("00"));
        press(t, "cmdOK");
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        QCOMPARE(t.forms.frmTasselday().GradDate, ui::toDateValue(2006, 6, 4, 19, 15, 0));
        QCOMPARE(t.forms.frmTasselday().intPercentDigits, qint16(9));
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
        auto& main = t.forms.frmTasselday();
        QCOMPARE(main.GradDate, ui::toDateValue(2006, 6, 4, 19, 0, 0));
        QCOMPARE(main.intPercentDigits, qint16(2));
        QCOMPARE(percentLabel(t), QStringLiteral("School Year Completed: 71.37%"));
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        QVERIFY(main.enabled());
    }

    void everyClosingGivesTheMainWindowBack_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("applied");
        QTest::newRow("OK") << "OK" << true;
        QTest::newRow("Alt+O") << "Alt+O" << true;
        QTest::newRow("Cancel") << "Cancel" << false;
        QTest::newRow("Alt+C") << "Alt+C" << false;
        QTest::newRow("close box") << "close box" << false;
        QTest::newRow("Escape in a box") << "Escape" << false;
    }
    void everyClosingGivesTheMainWindowBack()
    {
        QFETCH(QString, how);
        QFETCH(bool, applied);
        TestForms t;
        QVERIFY(openByGesture(t));
        QWidget* w = t.forms.frmAdvOpt().window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("7"));

        if (how == QLatin1String("OK"))
            press(t, "cmdOK");
        else if (how == QLatin1String("Cancel"))
            press(t, "cmdCancel");
        else if (how == QLatin1String("Alt+O"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        else if (how == QLatin1String("Alt+C"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        else if (how == QLatin1String("close box"))
            w->close();
        else
            QTest::keyClick(box(t, "txtSetTime_Hours"), Qt::Key_Escape);

        // An access key presses its button the way a click does, a moment later.
        QTRY_VERIFY(!t.forms.frmAdvOpt().isLoaded());
        auto& main = t.forms.frmTasselday();
        QVERIFY(main.enabled());
        QVERIFY(main.isLoaded());
        QCOMPARE(main.GradDate, applied ? ui::toDateValue(2006, 6, 4, 19, 0, 0) : kBuiltInCeremony);
        QCOMPARE(t.programEnds, 0);

        // The hidden square takes double-clicks again.
        QVERIFY(openByGesture(t));
    }

    void enterAppliesWhereverTheFocusIs()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        QWidget* w = t.forms.frmAdvOpt().window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto& main = t.forms.frmTasselday();
        QVERIFY(button(t, "cmdApply")->isDefault());

        // Typed into the hour box, Enter right there.
        ui::TextBox* hours = box(t, "txtSetTime_Hours");
        typeInto(hours, QStringLiteral("7"));
        QTest::keyClick(hours, Qt::Key_Return);
        QCOMPARE(main.GradDate, ui::toDateValue(2006, 6, 4, 19, 0, 0));

        // With the focus on OK, Enter still applies and the dialog stays.
        typeInto(hours, QStringLiteral("8"));
        button(t, "cmdOK")->setFocus();
        QTest::keyClick(button(t, "cmdOK"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(main.GradDate, ui::toDateValue(2006, 6, 4, 20, 0, 0));
        QVERIFY(t.forms.frmAdvOpt().isLoaded());

        // The list's Enter too.
        typeInto(hours, QStringLiteral("9"));
        amPm(t)->setFocus();
        QTest::keyClick(amPm(t), Qt::Key_Return);
        QCOMPARE(main.GradDate, ui::toDateValue(2006, 6, 4, 21, 0, 0));

        // Alt+A is Apply as well.
        typeInto(hours, QStringLiteral("5"));
        QTest::keyClick(hours, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(main.GradDate, ui::toDateValue(2006, 6, 4, 17, 0, 0));
        QCOMPARE(hours->text(), QStringLiteral("5"));
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
        QVERIFY(!main.enabled());
    }

    void mainWindowKeepsCountingWhileDisabled()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        QCOMPARE(display(t), QLatin1String(kBuiltInDisplay));
        t.clock.advanceSeconds(5);
        QTRY_COMPARE_WITH_TIMEOUT(display(t),
                                  QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 40 Seconds!"),
                                  2500);
        QVERIFY(!t.forms.frmTasselday().enabled());
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
    }
};

QTEST_MAIN(OptionsApplyTest)
#include "test_options_apply.moc"

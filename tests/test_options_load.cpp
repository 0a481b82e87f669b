// The options dialog as it opens: its values read from the schedule, given back unchanged by
// OK, and its keyboard order.
#include "test_options_fixture.h"

#include <QApplication>
#include <QScreen>

using namespace optionsTest;

class OptionsLoadTest : public QObject {
    Q_OBJECT

    // Date label | hours | minutes | seconds | half of the day | precision
    static QString shown(TestForms& t)
    {
        return QStringList{t.forms.frmAdvOpt().control<ui::Label>("lblGradTime_Date")->text(),
                           box(t, "txtSetTime_Hours")->text(),
                           box(t, "txtSetTime_Minutes")->text(),
                           box(t, "txtSetTIme_Seconds")->text(), amPm(t)->currentText(),
                           box(t, "txtPercentDigits")->text()}
            .join(QLatin1Char('|'));
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void opensWithTheScheduledMomentAndOkKeepsIt_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("moment");
        QTest::addColumn<QString>("shown");
        QTest::newRow("built-in") << "en_US" << kBuiltInCeremony << "6/4/2006  at|6|00|00|PM|5";
        QTest::newRow("5 past") << "en_US" << ui::toDateValue(2006, 6, 4, 18, 5, 9)
                                << "6/4/2006  at|6|05|09|PM|5";
        QTest::newRow("ten") << "en_US" << ui::toDateValue(2006, 6, 4, 10, 30, 0)
                             << "6/4/2006  at|10|30|00|AM|5";
        QTest::newRow("eleven") << "en_US" << ui::toDateValue(2006, 6, 4, 23, 59, 59)
                                << "6/4/2006  at|11|59|59|PM|5";
        QTest::newRow("noon") << "en_US" << ui::toDateValue(2006, 6, 4, 12, 0, 1)
                              << "6/4/2006  at|12|00|01|PM|5";
        // The general form writes no time at midnight; the dialog still shows one.
        QTest::newRow("midnight") << "en_US" << ui::toDateValue(2006, 6, 4)
                                  << "6/4/2006  at|12|00|00|AM|5";
        // No half of the day to select; the hours are read on a 24-hour clock.
        QTest::newRow("de_DE") << "de_DE" << kBuiltInCeremony << "04.06.2006  at|18|00|00||5";
    }
    void opensWithTheScheduledMomentAndOkKeepsIt()
    {
        QFETCH(QString, locale);
        QFETCH(double, moment);
        QLocale::setDefault(QLocale(locale));
        TestForms t;
        t.forms.frmTasselday().load();
        t.forms.frmTasselday().GradDate = moment;
        QVERIFY(openByGesture(t));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
        QWidget* w = t.forms.frmAdvOpt().window();
        QTRY_VERIFY((w->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        QTEST(shown(t), "shown");

        // A change abandoned with Cancel leaves nothing behind: the same values, the date once.
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("9"));
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

    void tabOrderAndTheHourBoxTakingTwoDigits()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TestForms t;
        QVERIFY(openByGesture(t));
        QVERIFY(activate(t));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
        const QStringList order = {"cmdCancel", "txtPercentDigits", "cmdApply", "cmdJump",
                                   "txtSetTime_Hours", "txtSetTime_Minutes",
                                   "comboSetTime_AMPM", "txtSetTIme_Seconds", "cmdOK"};
        QStringList seen;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);

        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("123"));
        QCOMPARE(box(t, "txtSetTime_Hours")->text(), QStringLiteral("12"));
    }
};

QTEST_MAIN(OptionsLoadTest)
#include "test_options_load.moc"

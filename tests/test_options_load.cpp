// The options dialog as it opens: its values read from the schedule, its layout and its
// keyboard order.
#include "test_options_fixture.h"

#include "ui/color.h"
#include "ui/twips.h"

#include <QApplication>
#include <QScreen>

using namespace optionsTest;

class OptionsLoadTest : public QObject {
    Q_OBJECT

    struct Shown {
        QString date, hours, minutes, seconds, amPm, digits;
        int amPmIndex;
    };
    static Shown shown(TestForms& t)
    {
        return {dateLabel(t),
                box(t, "txtSetTime_Hours")->text(),
                box(t, "txtSetTime_Minutes")->text(),
                box(t, "txtSetTIme_Seconds")->text(),
                amPm(t)->currentText(),
                box(t, "txtPercentDigits")->text(),
                amPm(t)->currentIndex()};
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    // Month/day/year and AM/PM unless a test says otherwise.
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void gestureOpensItCentredWithTheBuiltInMomentSplit()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        FrmAdvOpt& dialog = t.forms.frmAdvOpt();
        QWidget* w = dialog.window();
        QCOMPARE(w->windowTitle(), QStringLiteral("Advanced Options"));
        QCOMPARE(w->size(), QSize(312, 260));
        QVERIFY(!t.forms.frmTasselday().enabled());
        // A tool window: no taskbar button, no minimize or maximize box.
        QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
        QTRY_VERIFY((w->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        QCOMPARE(w->focusWidget(), button(t, "cmdOK"));

        const Shown s = shown(t);
        QCOMPARE(s.date, QStringLiteral("6/4/2006  at"));
        QCOMPARE(s.hours, QStringLiteral("6"));
        QCOMPARE(s.minutes, QStringLiteral("00"));
        QCOMPARE(s.seconds, QStringLiteral("00"));
        QCOMPARE(s.amPm, QStringLiteral("PM"));
        QCOMPARE(s.digits, QStringLiteral("5"));

        // Shown again rather than opened twice.
        dialog.show();
        QCOMPARE(dialog.window(), w);
    }

    void timesAreWrittenWithTheirDigits_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("half");
        QTest::newRow("5 past 6") << 18 << 5 << 9 << "6" << "05" << "09" << "PM";
        QTest::newRow("ten") << 10 << 30 << 0 << "10" << "30" << "00" << "AM";
        QTest::newRow("eleven") << 23 << 59 << 59 << "11" << "59" << "59" << "PM";
        QTest::newRow("noon") << 12 << 0 << 1 << "12" << "00" << "01" << "PM";
        QTest::newRow("after midnight") << 0 << 10 << 0 << "12" << "10" << "00" << "AM";
        // The general form writes no time at midnight; the dialog still shows one.
        QTest::newRow("midnight") << 0 << 0 << 0 << "12" << "00" << "00" << "AM";
    }
    void timesAreWrittenWithTheirDigits()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        TestForms t;
        t.forms.frmTasselday().load();
        t.forms.frmTasselday().GradDate = ui::toDateValue(2006, 6, 4, hour, minute, second);
        QVERIFY(openByGesture(t));
        const Shown s = shown(t);
        QCOMPARE(s.date, QStringLiteral("6/4/2006  at"));
        QTEST(s.hours, "hours");
        QTEST(s.minutes, "minutes");
        QTEST(s.seconds, "seconds");
        QTEST(s.amPm, "half");
    }

    void reopeningShowsTheSameValuesAndTheDateOnce()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("9"));
        press(t, "cmdCancel");
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        TestForms::flush();
        QVERIFY(openByGesture(t));
        const Shown s = shown(t);
        QCOMPARE(s.date, QStringLiteral("6/4/2006  at"));
        QCOMPARE(s.hours, QStringLiteral("6"));
        QCOMPARE(s.amPm, QStringLiteral("PM"));
        QCOMPARE(s.digits, QStringLiteral("5"));
    }

    void aTwentyFourHourLocaleSelectsNoHalfOfTheDay()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TestForms t;
        for (int opening = 0; opening < 2; ++opening) {
            QVERIFY(openByGesture(t));
            const Shown s = shown(t);
            QCOMPARE(s.date, QStringLiteral("04.06.2006  at"));
            QCOMPARE(s.hours, QStringLiteral("18"));
            QCOMPARE(s.minutes, QStringLiteral("00"));
            QCOMPARE(s.seconds, QStringLiteral("00"));
            QCOMPARE(s.amPmIndex, -1);
            press(t, "cmdCancel");
            TestForms::flush();
        }
        // Without a half of the day the hours are read on a 24-hour clock.
        QVERIFY(openByGesture(t));
        typeTime(t, QStringLiteral("21"), QStringLiteral("30"), QStringLiteral("00"));
        press(t, "cmdOK");
        QVERIFY(t.messages.shown.isEmpty());
        QCOMPARE(t.forms.frmTasselday().GradDate, ui::toDateValue(2006, 6, 4, 21, 30, 0));
    }

    void boxesTakeOnlyAFewTypedCharactersAndTheListOnlyPicks()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        auto typed = [&](const char* name, const QString& keys) {
            typeInto(box(t, name), keys);
            return box(t, name)->text();
        };
        QCOMPARE(typed("txtSetTime_Hours", QStringLiteral("123")), QStringLiteral("12"));
        QCOMPARE(typed("txtSetTime_Minutes", QStringLiteral("456")), QStringLiteral("45"));
        QCOMPARE(typed("txtSetTIme_Seconds", QStringLiteral("789")), QStringLiteral("78"));
        QCOMPARE(typed("txtPercentDigits", QStringLiteral("12")), QStringLiteral("1"));

        ui::ComboList* list = amPm(t);
        QVERIFY(!list->isEditable());
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QStringLiteral("AM"));
        QCOMPARE(list->itemText(1), QStringLiteral("PM"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentText(), QStringLiteral("AM"));
    }

    void tabGoesFromOkThroughTheBoxesToTheSeconds()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        QWidget* w = t.forms.frmAdvOpt().window();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), button(t, "cmdOK"));
        const QStringList order = {"cmdCancel", "txtPercentDigits", "cmdApply", "cmdJump",
                                   "txtSetTime_Hours", "txtSetTime_Minutes",
                                   "comboSetTime_AMPM", "txtSetTIme_Seconds", "cmdOK"};
        QStringList seen;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
    }

    void linesShowOverTheLabelsBeneathTheControls()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        FrmAdvOpt& dialog = t.forms.frmAdvOpt();
        const QImage shot = dialog.window()->grab().toImage();
        auto at = [&](double x, double y) {
            return ui::vbColorOf(shot.pixelColor(ui::px(x), ui::px(y)));
        };
        // Line3 under the heading's label, Line1 along the top edge of "Percent Bar".
        QCOMPARE(at(3000, 720), ui::colors::Red);
        QCOMPARE(at(2000, 1800), 0x0080FF80u);
        QCOMPARE(at(2000, 2760), 0x0080FF80u);
        QCOMPARE(button(t, "cmdJump")->faceColor(), 0x0080FF80u);
        QCOMPARE(button(t, "cmdOK")->faceColor(), ui::colors::LightBlue);
        QVERIFY(button(t, "cmdOK")->font().bold());
        QCOMPARE(button(t, "cmdJump")->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(dialog.window()->cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(OptionsLoadTest)
#include "test_options_load.moc"

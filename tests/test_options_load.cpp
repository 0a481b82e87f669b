// The options dialog as it opens: its values read from the schedule, given back unchanged by
// OK, and its keyboard order.
#include "test_options_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
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
        QTest::newRow("24-hour midnight") << "de_DE" << ui::toDateValue(2006, 6, 4)
                                          << "04.06.2006  at|0|00|00||5";
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

    // Qt's own short date of the ceremony day with ASCII digits, a four-digit year and no
    // bidi marks.
    static QString ceremonyDay(const QLocale& loc)
    {
        const QString fmt = loc.dateFormat(QLocale::ShortFormat)
                                .replace(QRegularExpression(QStringLiteral("y+")), "yyyy");
        QString ascii;
        for (char32_t c : loc.toString(QDate(2006, 6, 4), fmt).toUcs4()) {
            const int digit = QChar::digitValue(c);
            if (QChar::category(c) != QChar::Other_Format)
                ascii += digit >= 0 ? QString::number(digit) : QString::fromUcs4(&c, 1);
        }
        return ascii;
    }

    // Every locale Qt knows, through one set of windows: the dialog shows the ceremony,
    // an untouched OK gives it back, and a new time of day applies on the same date.
    void everyLocaleGivesBackItsOwnValues()
    {
        // Showing a window asks the offscreen platform to raise it, which it can't.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.contains(QLatin1String("does not support raise()")))
                    previous(type, context, text);
            });
        TestForms t;
        FrmTasselday& main = t.forms.frmTasselday();
        FrmAdvOpt& dialog = t.forms.frmAdvOpt();
        const double halfPastNinePm = ui::toDateValue(2006, 6, 4, 21, 30, 0);
        QStringList failed;
        QElapsedTimer took;
        took.start();
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        for (const QLocale& loc : locales) {
            QLocale::setDefault(loc);
            main.unload(); // the heading is written when the main window loads
            main.load();
            const QLocale own = loc.language() == QLocale::C ? QLocale("en_US") : loc;
            const bool twelve = own.timeFormat().contains(QRegularExpression("^[^']*[hAa]"));
            const QString pm = own.pmText();
            const QString day = ceremonyDay(own);
            const QString percent = QRegularExpression("^[.,]$").match(loc.decimalPoint()).hasMatch()
                ? loc.decimalPoint() : ".";
            auto shows = [&](const char* hour, const char* minutes) {
                return QStringList{dialog.control<ui::Label>("lblGradTime_Date")->text(),
                                   box(t, "txtSetTime_Hours")->text(),
                                   box(t, "txtSetTime_Minutes")->text(),
                                   box(t, "txtSetTIme_Seconds")->text(), amPm(t)->currentText()}
                    == QStringList{day + "  at", twelve ? hour : QString::number(atoi(hour) + 12),
                                   minutes, "00", twelve ? pm : QString()};
            };
            const auto fits = [](const ui::Label* l) {
                return QFontMetrics(l->font()).horizontalAdvance(l->text())
                    <= l->contentsRect().width();
            };
            const auto* heading = main.control<ui::Label>("lblTimeLeft");
            bool ok = heading->text() == "Time left until Graduation  (" + day + ") :"
                && fits(heading)
                && main.control<ui::Label>("lblSchoolCompleted")->text()
                    == "School Year Completed: 71" + percent + "36702%";
            dialog.show();
            ok = ok && shows("6", "00") && box(t, "txtPercentDigits")->text() == "5"
                && fits(dialog.control<ui::Label>("lblGradTime_Date"));
            // US English keeps the layout's type.
            if (own == QLocale(QLocale::English, QLocale::UnitedStates))
                ok = ok && heading->font().pixelSize() == 24
                    && dialog.control<ui::Label>("lblGradTime_Date")->font().pixelSize() == 17;
            press(t, "cmdOK");
            ok = ok && !dialog.isLoaded() && main.GradDate == kBuiltInCeremony;

            dialog.show();
            typeTime(t, twelve ? "9" : "21", "30", "00");
            press(t, "cmdOK");
            ok = ok && main.GradDate == halfPastNinePm;
            // The changed moment opens as it was applied and is given back untouched.
            dialog.show();
            ok = ok && shows("9", "30");
            press(t, "cmdOK");
            ok = ok && !dialog.isLoaded() && main.GradDate == halfPastNinePm;
            if (!ok || !t.messages.shown.isEmpty())
                failed << loc.name();
            t.messages.shown.clear();
            TestForms::flush();
        }
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        qInstallMessageHandler(previous);
        qInfo("%lld locales in %lld ms", qlonglong(locales.size()), took.elapsed());
        QVERIFY(locales.size() > 600);
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(u' ')));
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

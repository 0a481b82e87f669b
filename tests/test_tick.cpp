// The main window's refresh: time left, percentage and bar, tick by tick.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/secondtimer.h"
#include "ui/numbers.h"

#include <QApplication>
#include <QFontInfo>
#include <QTimer>
#include <QtTest>

class TickTest : public QObject {
    Q_OBJECT

    struct View {
        QString display, percent;
        float bar;
        int barRaw;
        QFont font;
    };

    static View view(TestForms& t)
    {
        auto& w = t.forms.frmTasselday();
        auto* bar = w.control<ui::ProgressBar>("prgbarSchool");
        auto* txt = w.control<ui::TextBox>("txtDisplay");
        return {txt->text(), w.control<ui::Label>("lblSchoolCompleted")->text(), bar->percent(),
                bar->value(), txt->font()};
    }

    static View at(TestForms& t, int y, int mo, int d, int h, int mi, int s)
    {
        t.clock.set(y, mo, d, h, mi, s);
        t.forms.frmTasselday().RefreshAllTimers();
        return view(t);
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void firstFrameIsFilledBeforeAnyTimerTick()
    {
        TestForms t;
        t.forms.frmTasselday().load();
        const View v = view(t);
        QCOMPARE(v.display, QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!"));
        QCOMPARE(v.percent, QStringLiteral("School Year Completed: 71.36702%"));
        QCOMPARE(v.bar, 71.36702f);
    }

    void displayRows_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("percent");
        QTest::newRow("worked example") << QDateTime(QDate(2006, 3, 15), QTime(9, 30, 15))
            << "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!" << "71.36702";
        QTest::newRow("three days") << QDateTime(QDate(2006, 6, 1), QTime(18, 0, 0))
            << "3 Days, 0 Hours, 0 Minutes, 0 Seconds!" << "98.85965";
        QTest::newRow("exactly one week") << QDateTime(QDate(2006, 5, 28), QTime(18, 0, 0))
            << "1 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds!" << "97.45614";
        QTest::newRow("hours only") << QDateTime(QDate(2006, 6, 4), QTime(7, 59, 30))
            << "10 Hours, 0 Minutes, 30 Seconds!" << "99.76596";
        QTest::newRow("last two minutes") << QDateTime(QDate(2006, 6, 4), QTime(17, 58, 1))
            << "1 Minutes, 59 Seconds!" << "99.9118";
        QTest::newRow("one second after") << QDateTime(QDate(2006, 6, 4), QTime(18, 0, 1))
            << "23 Hours, 59 Minutes, 59 Seconds!" << "99.91228";
        QTest::newRow("days after") << QDateTime(QDate(2006, 6, 12), QTime(6, 0, 0))
            << "12 Hours, 0 Minutes, 0 Seconds!" << "102.54386";
    }

    void displayRows()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, display);
        QFETCH(QString, percent);
        TestForms t;
        t.forms.frmTasselday().show();
        const QDate d = now.date();
        const QTime tm = now.time();
        const View v = at(t, d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second());
        QCOMPARE(v.display, display);
        QCOMPARE(v.percent, "School Year Completed: " + percent + "%");
        QCOMPARE(v.font.bold(), false);
        QVERIFY(t.forms.frmTasselday().isLoaded());
    }

    void lastMinuteIsBoldTwelvePointAndStaysSo()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        const int normalSize = view(t).font.pixelSize();
        View v = at(t, 2006, 6, 4, 17, 59, 59);
        QCOMPARE(v.display, QStringLiteral("1 Seconds!"));
        QVERIFY(v.font.bold());
        QCOMPARE(v.font.pixelSize(), 16); // 12 points at 96 dots per inch
        QCOMPARE(v.percent, QStringLiteral("School Year Completed: 99.91228%"));
        QVERIFY(normalSize < 16);

        // A later ceremony brings back the long forms, still bold and large.
        w.GradDate += 10;
        w.RefreshAllTimers();
        v = view(t);
        QCOMPARE(v.display, QStringLiteral("1 Weeks, 3 Days, 0 Hours, 0 Minutes, 1 Seconds!"));
        QVERIFY(v.font.bold());
        QCOMPARE(v.font.pixelSize(), 16);
    }

    void precisionFollowsTheSchedule_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("percent");
        QTest::newRow("0") << 0 << "71";
        QTest::newRow("2") << 2 << "71.37";
        QTest::newRow("12") << 12 << "71.367019980507";
    }

    void precisionFollowsTheSchedule()
    {
        QFETCH(int, digits);
        QFETCH(QString, percent);
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.load();
        w.intPercentDigits = qint16(digits);
        // Nothing changes until the next tick.
        QCOMPARE(view(t).percent, QStringLiteral("School Year Completed: 71.36702%"));
        w.RefreshAllTimers();
        QCOMPARE(view(t).percent, "School Year Completed: " + percent + "%");
    }

    void barKeepsFractionsAndStaysInRange()
    {
        TestForms t;
        t.forms.frmTasselday().load();
        auto* bar = t.forms.frmTasselday().control<ui::ProgressBar>("prgbarSchool");
        QCOMPARE(bar->value(), qRound(71.36702 * ui::ProgressBar::kScale));
        QCOMPARE(bar->maximum(), 100 * ui::ProgressBar::kScale);

        // Before the school year: the label still shows the negative share, the bar its start.
        View v = at(t, 2005, 8, 1, 0, 0, 0);
        QCOMPARE(v.percent, QStringLiteral("School Year Completed: -8.07018%"));
        QCOMPARE(v.bar, -8.07018f);
        QCOMPARE(v.barRaw, 0);

        v = at(t, 2006, 6, 12, 6, 0, 0);
        QVERIFY(v.bar > 100.0f);
        QCOMPARE(v.barRaw, bar->maximum());
    }

    void scheduleBuiltInValues()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.load();
        QCOMPARE(w.GradDate, 38872.75);
        QCOMPARE(w.intPercentDigits, qint16(5));
        // The school year is counted against the built-in 285 days whatever the ceremony
        // does: 284.5 days would round to 284 and show another share.
        w.GradDate -= 0.25;
        w.RefreshAllTimers();
        QCOMPARE(view(t).percent, QStringLiteral("School Year Completed: 71.36702%"));
    }

    void zeroLeftHandsOver_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::newRow("the ceremony second") << QDateTime(QDate(2006, 6, 4), QTime(18, 0, 0));
        QTest::newRow("same time a day later") << QDateTime(QDate(2006, 6, 5), QTime(18, 0, 0));
        QTest::newRow("a week later") << QDateTime(QDate(2006, 6, 11), QTime(18, 0, 0));
    }

    void zeroLeftHandsOver()
    {
        QFETCH(QDateTime, now);
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        auto* txt = w.control<ui::TextBox>("txtDisplay");
        QPointer<QWidget> window = w.window();
        const QString before = txt->text();
        t.clock.set(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                    now.time().minute(), now.time().second());
        w.RefreshAllTimers();
        QVERIFY(!w.isLoaded());
        QVERIFY(t.forms.frmDone().isLoaded());
        QCOMPARE(t.programEnds, 0);
        // The last frame is left as it was: nothing is written once the window is gone.
        QCOMPARE(txt->text(), before);
        TestForms::flush();
        QVERIFY(window.isNull());
    }

    void clockReadingsAHairOffAWholeSecondCountAsThatSecond_data()
    {
        QTest::addColumn<double>("offsetDays");
        QTest::addColumn<QString>("display"); // empty: hand-over
        const double second = 1.0 / 86400, hair = 1e-11;
        QTest::newRow("ceremony, just below") << -hair << QString();
        QTest::newRow("ceremony, just above") << hair << QString();
        QTest::newRow("a day later, just below") << 1 - hair << QString();
        QTest::newRow("a day later, just above") << 1 + hair << QString();
        QTest::newRow("a week later, just below") << 7 - hair << QString();
        QTest::newRow("last second") << -second + hair << "1 Seconds!";
        QTest::newRow("three days before") << -3 - hair << "3 Days, 0 Hours, 0 Minutes, 0 Seconds!";
    }

    void clockReadingsAHairOffAWholeSecondCountAsThatSecond()
    {
        QFETCH(double, offsetDays);
        QFETCH(QString, display);
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        t.clock.value = w.GradDate + offsetDays;
        w.RefreshAllTimers();
        QCOMPARE(w.isLoaded(), !display.isEmpty());
        if (!display.isEmpty())
            QCOMPARE(view(t).display, display);
    }

    // The timer is planned to just after the next whole second, from the clock, every time.
    void refreshIsPlannedJustAfterEachWholeSecond_data()
    {
        QTest::addColumn<int>("step");     // seconds the clock moved since the last tick
        QTest::addColumn<int>("msToNext"); // where in its second the clock stands on firing
        QTest::addColumn<bool>("ticks");
        QTest::newRow("on time") << 1 << 998 << true;
        QTest::newRow("a hair early") << 0 << 1 << false;
        QTest::newRow("clock set back an hour") << -3600 << 500 << true;
        QTest::newRow("resumed a day later") << 86400 << 700 << true;
    }

    void refreshIsPlannedJustAfterEachWholeSecond()
    {
        QFETCH(int, step);
        QFETCH(int, msToNext);
        QFETCH(bool, ticks);
        constexpr int margin = ui::SecondPacer::kMarginMs;
        TestForms t;
        auto& w = t.forms.frmTasselday();
        t.clock.msToNext = 400;
        w.show();
        QTimer* timer = w.timer("timerRefresh");
        QVERIFY(timer->isActive() && timer->isSingleShot());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(timer->interval(), 400 + margin);

        // A refresh from the options ticks at once and leaves the plan as it was.
        t.clock.msToNext = 123;
        t.clock.advanceSeconds(1);
        const QString refreshed = view(t).display;
        w.RefreshAllTimers();
        QVERIFY(view(t).display != refreshed);
        QCOMPARE(timer->interval(), 400 + margin);

        const QString before = view(t).display;
        t.clock.advanceSeconds(step);
        t.clock.msToNext = msToNext;
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(view(t).display != before, ticks);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), msToNext + margin);
    }

    // A tick repaints only what changed on screen: the bar moves a pixel every 17 hours and
    // the gesture square is navy again and again.
    void aTickRepaintsOnlyWhatChanged_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("line");
        QTest::addColumn<bool>("bar");
        QTest::newRow("same second") << 0 << false << false;
        QTest::newRow("a minute later") << 60 << true << false;
        QTest::newRow("two days later") << 2 * 86400 + 1 << true << true;
    }

    void aTickRepaintsOnlyWhatChanged()
    {
        QFETCH(int, step);
        QFETCH(bool, line);
        QFETCH(bool, bar);
        struct PaintCounter : QObject {
            QHash<QObject*, int> paints;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                paints[o] += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        TestForms::flush();
        const char* names[] = {"txtDisplay", "lblSet", "lblSchoolCompleted", "prgbarSchool"};
        for (const char* name : names)
            w.control<QWidget>(name)->installEventFilter(&counter);
        QSignalSpy barMoves(w.control<ui::ProgressBar>("prgbarSchool"), &QProgressBar::valueChanged);
        t.clock.advanceSeconds(step);
        w.RefreshAllTimers(); // the gesture count reaches its end and resets the square
        w.RefreshAllTimers();
        TestForms::flush();
        QCOMPARE(counter.paints.value(w.control<QWidget>("txtDisplay")) > 0, line);
        QCOMPARE(barMoves.size() > 0, bar);
        // The bar covers the percentage's last pixel row, yet is repainted only when it moves.
        QCOMPARE(counter.paints.value(w.control<QWidget>("prgbarSchool")) > 0, bar);
        QCOMPARE(counter.paints.value(w.control<QWidget>("lblSet")), 0);
        if (step == 0)
            QCOMPARE(counter.paints.value(w.control<QWidget>("lblSchoolCompleted")), 0);
    }

    void aLateTickThatSkipsTheZeroSecondStillHandsOver_data()
    {
        QTest::addColumn<QDateTime>("before");
        QTest::addColumn<QDateTime>("after");
        QTest::addColumn<bool>("handsOver");
        const QDate day(2006, 6, 4);
        QTest::newRow("over the ceremony") << QDateTime(day, QTime(17, 59, 59))
                                           << QDateTime(day, QTime(18, 0, 1)) << true;
        QTest::newRow("over its recurrence") << QDateTime(day.addDays(1), QTime(17, 59, 59))
                                             << QDateTime(day.addDays(1), QTime(18, 0, 1)) << true;
        QTest::newRow("elsewhere") << QDateTime(day, QTime(17, 59, 56))
                                   << QDateTime(day, QTime(17, 59, 58)) << false;
        QTest::newRow("a day's jump") << QDateTime(day.addDays(-1), QTime(18, 0, 1))
                                      << QDateTime(day, QTime(18, 0, 1)) << false;
    }

    void aLateTickThatSkipsTheZeroSecondStillHandsOver()
    {
        QFETCH(QDateTime, before);
        QFETCH(QDateTime, after);
        QFETCH(bool, handsOver);
        TestForms t;
        auto& w = t.forms.frmTasselday();
        const auto setClock = [&](const QDateTime& m) {
            t.clock.set(m.date().year(), m.date().month(), m.date().day(), m.time().hour(),
                        m.time().minute(), m.time().second());
        };
        setClock(before);
        w.show();
        QVERIFY(w.isLoaded());
        setClock(after);
        w.RefreshAllTimers();
        QCOMPARE(!w.isLoaded(), handsOver);
        QCOMPARE(t.forms.frmDone().isLoaded(), handsOver);
    }
};

QTEST_MAIN(TickTest)
#include "test_tick.moc"

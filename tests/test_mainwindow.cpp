// The main window as a user meets it: the line, percentage and bar tick by tick, the
// schedule's changes, the hidden gesture, the pacing of the refresh, the screen reader.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
    TestForms* t = nullptr;
    FrmTasselday* w = nullptr;
    template <class T = ui::Label> T* c(const char* name) { return w->control<T>(name); }
    QString display() { return c<ui::TextBox>("txtDisplay")->text(); }
    // The percentage as shown, without the label's words.
    QString percent() { return c("lblSchoolCompleted")->text().remove("School Year Completed: ").chopped(1); }
    void set(const QDateTime& m)
    {
        t->clock.value = ui::toDateValue(m.date().year(), m.date().month(), m.date().day(),
                                         m.time().hour(), m.time().minute(), m.time().second());
    }
    static QDateTime on(int d, int h, int mi, int s, int mo = 6)
    {
        return {QDate(2006, mo, d), QTime(h, mi, s)};
    }
    static inline QStringList heard; // controls a screen reader heard change

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (e->object())
                heard << e->object()->objectName();
        });
    }
    void init()
    {
        t = new TestForms;
        w = &t->forms.frmTasselday();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->window()));
        w->timer("timerRefresh")->stop(); // only the test's ticks count, but where it says
    }
    void cleanup() { delete t; }

    // At load, before any tick: the heading with the ceremony's date, and the first frame.
    void loadFillsTheFirstFrame()
    {
        const QString heading = QStringLiteral("Time left until Graduation  (6/4/2006) :");
        QCOMPARE(c("lblTimeLeft")->text(), heading);
        QCOMPARE(display(), QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!"));
        QCOMPARE(c("lblSchoolCompleted")->text(), QStringLiteral("School Year Completed: 71.36702%"));
        w->GradDate += 1.5;
        w->RefreshAllTimers();
        w->unload();
        w->load();
        QCOMPARE(c("lblTimeLeft")->text(), heading); // written at load only, once
    }

    // Words always plural, zeros inside a line kept, the last minute bold at 12 points; the
    // bar holds the fraction and stays in its range while the label does not.
    void textsAtChosenMoments_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("bar");
        QTest::newRow("weeks") << on(15, 9, 30, 15, 3) << "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!" << "71.36702" << 71367020;
        QTest::newRow("days") << on(1, 18, 0, 0) << "3 Days, 0 Hours, 0 Minutes, 0 Seconds!" << "98.85965" << 98859650;
        QTest::newRow("one week") << on(28, 18, 0, 0, 5) << "1 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds!" << "97.45614" << 97456140;
        QTest::newRow("hours") << on(4, 7, 59, 30) << "10 Hours, 0 Minutes, 30 Seconds!" << "99.76596" << 99765960;
        QTest::newRow("minutes") << on(4, 17, 58, 1) << "1 Minutes, 59 Seconds!" << "99.9118" << 99911800;
        QTest::newRow("last second") << on(4, 17, 59, 59) << "1 Seconds!" << "99.91228" << 99912280;
        QTest::newRow("one second after") << on(4, 18, 0, 1) << "23 Hours, 59 Minutes, 59 Seconds!" << "99.91228" << 99912280;
        QTest::newRow("days after") << on(12, 6, 0, 0) << "12 Hours, 0 Minutes, 0 Seconds!" << "102.54386" << 100000000;
        QTest::newRow("before the year") << QDateTime(QDate(2005, 8, 1), QTime()) << "43 Weeks, 6 Days, 18 Hours, 0 Minutes, 0 Seconds!" << "-8.07018" << 0;
    }
    void textsAtChosenMoments()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, display);
        const int normal = c<ui::TextBox>("txtDisplay")->font().pixelSize();
        set(now);
        w->RefreshAllTimers();
        QCOMPARE(this->display(), display);
        QTEST(percent(), "percent");
        QFETCH(int, bar); // in millionths of a percent, clamped; the bar holds a float
        QVERIFY(qAbs(c<ui::ProgressBar>("prgbarSchool")->value() - bar) <= 10);
        const QFont font = c<ui::TextBox>("txtDisplay")->font();
        const bool last = display == "1 Seconds!";
        QCOMPARE(font.bold(), last);
        QCOMPARE(font.pixelSize(), last ? 16 : normal);
    }

    // A changed schedule shows at the very refresh that follows it, not before; the school
    // year keeps its built-in length; the last minute's font stays.
    void scheduleChangesShowAtOnce_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<double>("later"); // days the ceremony moves
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("percent");
        QTest::newRow("no decimals") << on(15, 9, 30, 15, 3) << 0.0 << 0 << "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!" << "71";
        QTest::newRow("12 decimals") << on(15, 9, 30, 15, 3) << 0.0 << 12 << "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!" << "71.367019980507";
        QTest::newRow("six hours earlier") << on(15, 9, 30, 15, 3) << -0.25 << 5 << "11 Weeks, 4 Days, 2 Hours, 29 Minutes, 45 Seconds!" << "71.36702";
        QTest::newRow("after the last minute") << on(4, 17, 59, 59) << 10.0 << 5 << "1 Weeks, 3 Days, 0 Hours, 0 Minutes, 1 Seconds!" << "99.91228";
    }
    void scheduleChangesShowAtOnce()
    {
        QFETCH(QDateTime, now);
        QFETCH(double, later);
        QFETCH(int, digits);
        set(now);
        w->RefreshAllTimers();
        const QString before = display() + percent();
        const bool bold = c<ui::TextBox>("txtDisplay")->font().bold();
        w->GradDate += later;
        w->intPercentDigits = qint16(digits);
        QCOMPARE(display() + percent(), before);
        w->RefreshAllTimers();
        QTEST(display(), "display");
        QTEST(percent(), "percent");
        QCOMPARE(c<ui::TextBox>("txtDisplay")->font().bold(), bold);
    }

    // The hidden square: d a double-click, c a click, t a tick, x the window disabled. Each
    // double-click must come before the third tick after the one before it.
    void gesture_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<quint32>("square");
        QTest::addColumn<bool>("opens");
        QTest::newRow("a click") << "c" << ui::colors::Navy << false;
        QTest::newRow("one") << "d" << 0x00900000u << false;
        QTest::newRow("two") << "dd" << 0x00C00000u << false;
        QTest::newRow("three") << "ddd" << ui::colors::Navy << true;
        QTest::newRow("stage 1, two ticks") << "dttd" << 0x00C00000u << false;
        QTest::newRow("stage 1, three ticks") << "dtttd" << 0x00900000u << false;
        QTest::newRow("stage 2, two ticks") << "ddttd" << ui::colors::Navy << true;
        QTest::newRow("stage 2, three ticks") << "ddtttd" << 0x00900000u << false;
        QTest::newRow("disabled") << "xddd" << ui::colors::Navy << false;
    }
    void gesture()
    {
        QFETCH(QString, script);
        for (const QChar step : script) {
            if (step == 'd')
                QTest::mouseDClick(c("lblSet"), Qt::LeftButton);
            else if (step == 'c')
                QTest::mouseClick(c("lblSet"), Qt::LeftButton);
            else if (step == 't')
                w->RefreshAllTimers();
            else
                w->setEnabled(false);
        }
        QTEST(c("lblSet")->backColor(), "square");
        QTEST(t->forms.frmAdvOpt().isLoaded(), "opens");
        QCOMPARE(w->enabled(), !t->forms.frmAdvOpt().isLoaded() && !script.contains('x'));
    }

    // The real timer goes on while the options dialog holds the window disabled.
    void countsOnWhileDisabled()
    {
        for (int i = 0; i < 3; ++i)
            QTest::mouseDClick(c("lblSet"), Qt::LeftButton);
        QVERIFY(!w->enabled());
        w->timer("timerRefresh")->start();
        t->clock.advanceSeconds(1);
        QTRY_COMPARE_WITH_TIMEOUT(display(), QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 44 Seconds!"), 2500);
    }

    // Each run is planned from the clock to just after the next whole second; a run that
    // comes early shows nothing; a stepped clock is followed; a refresh asked for by the
    // program ticks at once and leaves the plan alone.
    void pacing_data()
    {
        QTest::addColumn<int>("step");     // seconds the clock moved since the last run
        QTest::addColumn<int>("msToNext"); // where in its second the clock stands on firing
        QTest::addColumn<bool>("ticks");
        QTest::newRow("on time") << 1 << 998 << true;
        QTest::newRow("a hair early") << 0 << 1 << false;
        QTest::newRow("clock set back an hour") << -3600 << 500 << true;
        QTest::newRow("resumed a day later") << 86400 << 700 << true;
    }
    void pacing()
    {
        QFETCH(int, step);
        QFETCH(int, msToNext);
        constexpr int margin = ui::SecondPacer::kMarginMs;
        QTimer* timer = w->timer("timerRefresh");
        t->clock.msToNext = 400;
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QVERIFY(timer->isActive() && timer->isSingleShot());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(timer->interval(), 400 + margin);
        t->clock.msToNext = 123;
        t->clock.advanceSeconds(1);
        QString before = display();
        w->RefreshAllTimers();
        QVERIFY(display() != before);
        QCOMPARE(timer->interval(), 400 + margin);
        before = display();
        t->clock.advanceSeconds(step);
        t->clock.msToNext = msToNext;
        QTest::mouseDClick(c("lblSet"), Qt::LeftButton); // the gesture counts real ticks
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QTEST(display() != before, "ticks");
        QCOMPARE(timer->interval(), msToNext + margin);
        for (int early = 0; early < 2; ++early) // still in the second just shown
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(c("lblSet")->backColor(), 0x00900000u);
    }

    // A tick repaints only what changed: the bar, which covers the percentage's last pixel
    // row, only when it moves a pixel; the hidden square never.
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
        struct PaintCounter : QObject {
            QHash<QObject*, int> paints;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                paints[o] += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        TestForms::flush();
        for (const char* name : {"txtDisplay", "lblSet", "lblSchoolCompleted", "prgbarSchool"})
            c<QWidget>(name)->installEventFilter(&counter);
        t->clock.advanceSeconds(step);
        w->RefreshAllTimers();
        w->RefreshAllTimers(); // the gesture's count ends and resets the square to its colour
        TestForms::flush();
        QTEST(counter.paints.value(c<QWidget>("txtDisplay")) > 0, "line");
        QTEST(counter.paints.value(c<QWidget>("prgbarSchool")) > 0, "bar");
        QCOMPARE(counter.paints.value(c<QWidget>("lblSet")), 0);
        if (step == 0)
            QCOMPARE(counter.paints.value(c<QWidget>("lblSchoolCompleted")), 0);
    }

    // Nothing left, to the second, however the clock reading falls around it, or a late
    // tick that stepped over that second: the window hands over, leaving its last frame.
    void handsOverWhenNothingIsLeft_data()
    {
        QTest::addColumn<double>("from"); // seconds from the ceremony
        QTest::addColumn<double>("to");
        QTest::addColumn<bool>("handsOver");
        const double hair = 1e-6;
        QTest::newRow("the ceremony second") << -1.0 << 0.0 << true;
        QTest::newRow("a hair before it") << -1.0 << -hair << true;
        QTest::newRow("a hair after it") << -1.0 << hair << true;
        QTest::newRow("a day later") << 86399.0 << 86400.0 - hair << true;
        QTest::newRow("a week later") << -1.0 << 7 * 86400.0 + hair << true;
        QTest::newRow("stepped over it") << -1.0 << 1.0 << true;
        QTest::newRow("stepped over a day later") << 86399.0 << 86401.0 << true;
        QTest::newRow("a hair into the last second") << -2.0 << -1.0 + hair << false;
        QTest::newRow("elsewhere") << -4.0 << -2.0 << false;
        QTest::newRow("a day's jump") << -86399.0 << 1.0 << false;
    }
    void handsOverWhenNothingIsLeft()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(bool, handsOver);
        t->clock.value = w->GradDate + from / 86400;
        w->RefreshAllTimers();
        QPointer<ui::TextBox> txt = c<ui::TextBox>("txtDisplay");
        const QString last = txt->text();
        t->clock.value = w->GradDate + to / 86400;
        w->RefreshAllTimers();
        QCOMPARE(!w->isLoaded(), handsOver);
        QCOMPARE(t->forms.frmDone().isLoaded(), handsOver);
        QCOMPARE(t->programEnds, 0);
        if (handsOver)
            QCOMPARE(txt->text(), last);
    }

    // Every control has a name a screen reader can say; the ticking ones are heard only
    // while the user is on them.
    void screenReader()
    {
        for (QWidget* ctl : w->window()->findChildren<QWidget*>()) {
            const QString name = QAccessible::queryAccessibleInterface(ctl)->text(QAccessible::Name);
            auto* label = qobject_cast<ui::Label*>(ctl);
            QVERIFY2(label ? name == label->text() : !name.isEmpty(), qPrintable(ctl->objectName()));
        }
        // Handed to the program's handler as Qt hands them over with a reader listening.
        const QAccessible::UpdateHandler program = QAccessible::installUpdateHandler(nullptr);
        QAccessible::installUpdateHandler(program);
        auto* txt = c<ui::TextBox>("txtDisplay");
        for (const bool focused : {false, true}) {
            focused ? txt->setFocus() : txt->clearFocus();
            heard.clear();
            QAccessibleTextUpdateEvent text(txt, 0, QStringLiteral("45"), QStringLiteral("44"));
            QAccessibleValueChangeEvent value(c<ui::ProgressBar>("prgbarSchool"), 71.4);
            QAccessibleEvent name(c("lblSchoolCompleted"), QAccessible::NameChanged);
            for (QAccessibleEvent* e : std::initializer_list<QAccessibleEvent*>{&text, &value, &name})
                program(e);
            QCOMPARE(heard, focused ? QStringList{"txtDisplay"} : QStringList());
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"

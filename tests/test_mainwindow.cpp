// The main window as a user meets it: the line, percentage and bar tick by tick, the
// schedule's changes, the hidden gesture, the pacing of the refresh, the screen reader.
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/displaybox.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>

class MainWindowTest : public QObject {
    Q_OBJECT
    TestForms* t = nullptr;
    FrmTasselday* w = nullptr;
    ui::DisplayBox* txt() { return w->controls().txtDisplay; }
    // The line and the percentage as shown (the school-year test reads the label's words).
    QString shown()
    {
        return txt()->text() + ' ' + w->controls().lblSchoolCompleted->text().mid(23);
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
        w->controls().timerRefresh->stop(); // only the test's ticks count, but where it says
    }
    void cleanup() { delete t; }

    // Load writes the heading with the ceremony's date and the first frame, before any tick.
    // Then the countdown's line and percentage on screen, the last minute bold at 12 points; the
    // bar holds the fraction, clamped, while the label is not, and a screen reader reads the
    // bar's value as the label writes it, even when the fill does not move. A moved ceremony
    // or precision shows at the very refresh that follows, not before, and leaves the heading
    // as load wrote it; the school year keeps its length; the last minute's font stays.
    void textsAtChosenMoments_data()
    {
        table<QString, QString, double, bool, int>({"now", "shown", "later", "bold", "digits"},
            {{"two decimals", "2006-03-15 09:30:15",
                 "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds! 71.37%", 0, false, 2},
                {"days after", "2006-06-12 06:00:00", "12 Hours, 0 Minutes, 0 Seconds! 102.54386%",
                    0, false, 5},
                {"before the year", "2005-08-01 00:00:00",
                    "43 Weeks, 6 Days, 18 Hours, 0 Minutes, 0 Seconds! -8.07018%", 0, false, 5},
                {"after the last minute", "2006-06-04 17:59:59",
                    "1 Weeks, 3 Days, 0 Hours, 0 Minutes, 1 Seconds! 99.91228%", 10, true, 5}});
    }
    void textsAtChosenMoments()
    {
        QFETCH(double, later);
        const int normal = txt()->font().pixelSize();
        const QString heading = w->controls().lblTimeLeft->text();
        QCOMPARE(shown(), QString("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds! 71.36702%"));
        QVERIFY(qAbs(w->controls().prgbarSchool->value() - 71367020) <= 10);
        t->clock.value = ui::toDateValue(QDateTime::fromString(cell<QString>("now"), Qt::ISODate));
        w->RefreshAllTimers();
        const QString before = shown();
        w->GradDate += later;
        w->intPercentDigits = qint16(cell<int>("digits"));
        QCOMPARE(shown(), before);
        w->RefreshAllTimers();
        QTEST(shown(), "shown");
        const double percent = shown().section(' ', -1).chopped(1).toDouble();
        auto* bar = QAccessible::queryAccessibleInterface(w->controls().prgbarSchool);
        QCOMPARE(bar->valueInterface()->currentValue().toDouble(), qBound(0.0, percent, 100.0));
        QTEST(txt()->font().bold(), "bold");
        QCOMPARE(txt()->font().pixelSize(), txt()->font().bold() ? 16 : normal);
        QCOMPARE(w->controls().lblTimeLeft->text(), heading);
    }

    // The hidden square: d a double-click, t a tick. Each double-click must come before the
    // third tick after the one before it; the third opens the options dialog, and the square
    // takes the colour of the stage the count stands at.
    void gesture_data()
    {
        table<QString, quint32, bool>({"script", "square", "opens"},
            {{"two", "dd", 0x00C00000u, false}, {"three", "ddd", ui::colors::Navy, true},
                {"stage 1, three ticks", "dtttd", 0x00900000u, false},
                {"stage 2, two ticks", "ddttd", ui::colors::Navy, true},
                {"stage 2, three ticks", "ddtttd", 0x00900000u, false}});
    }
    void gesture()
    {
        QFETCH(QString, script);
        for (const QChar step : script)
            step == 'd' ? QTest::mouseDClick(w->controls().lblSet, Qt::LeftButton)
                        : w->RefreshAllTimers();
        QTEST(ui::roleColor(w->controls().lblSet, QPalette::Window), "square");
        QTEST(t->forms.frmAdvOpt().isLoaded(), "opens");
        if (!t->forms.frmAdvOpt().isLoaded())
            return;
        // Disabled while the dialog is open (its look and what a screen reader hears are the
        // end-to-end scenario's): a double-click on the square does nothing, and the real
        // timer goes on.
        QTest::mouseDClick(w->controls().lblSet, Qt::LeftButton);
        QCOMPARE(ui::roleColor(w->controls().lblSet, QPalette::Window), ui::colors::Navy);
        w->controls().timerRefresh->start();
        t->clock.advanceSeconds(1);
        QTRY_VERIFY_WITH_TIMEOUT(txt()->text().endsWith(" 44 Seconds!"), 2500);
    }

    // Each run is planned to just after the next whole second, from the reading it showed;
    // a run that comes early shows nothing; a stepped clock is followed; a refresh asked for
    // by the program ticks at once and leaves the plan alone.
    // step: seconds the clock moved since the last run; msToNext: where in its second the clock
    // stands on firing; msPerRead: the clock runs on while it is read.
    void pacing_data()
    {
        table<int, int, bool, int>({"step", "msToNext", "ticks", "msPerRead"},
            {{"on time", 1, 998, true, 0}, {"a hair early", 0, 1, false, 0},
                {"clock set back an hour", -3600, 500, true, 0},
                {"resumed a day later", 86400, 700, true, 0},
                {"read as the second turns", 1, 1, true, 1}});
    }
    void pacing()
    {
        QFETCH(int, step);
        QFETCH(int, msToNext);
        QFETCH(int, msPerRead);
        constexpr int margin = FrmTasselday::kMarginMs;
        QTimer* timer = w->controls().timerRefresh;
        const auto fire = [timer] { QVERIFY(QMetaObject::invokeMethod(timer, "timeout")); };
        t->clock.msToNext = 400;
        fire();
        QVERIFY(timer->isActive() && timer->isSingleShot());
        t->clock.msToNext = 123;
        t->clock.advanceSeconds(1);
        QString before = shown();
        w->RefreshAllTimers();
        QVERIFY(shown() != before && timer->interval() == 400 + margin);
        before = shown();
        t->clock.advanceSeconds(step);
        t->clock.msToNext = msToNext;
        QTest::mouseDClick(w->controls().lblSet, Qt::LeftButton); // the gesture counts real ticks
        t->clock.msPerRead = msPerRead;
        fire();
        QTEST(shown() != before, "ticks");
        QCOMPARE(timer->interval(), msToNext + margin);
        fire(), fire(); // early: still in the second just shown
        QCOMPARE(ui::roleColor(w->controls().lblSet, QPalette::Window), 0x00900000u);
    }

    // Two ticks, at seconds from the ceremony. Nothing left, to the second, however the clock
    // reading falls around it, or a late tick that stepped over that second: the window hands
    // over (its last frame kept is the hand-over's test). Otherwise the second tick repaints
    // only what changed: the bar, which covers the percentage's last pixel row, only when it
    // moves a pixel; the hidden square never.
    // painted: the controls repainted, "any", or the hand-over.
    void twoTicks_data()
    {
        const double hair = 1e-6, day = 86400, nine = -9 * day;
        table<double, double, QString>({"from", "to", "painted"},
            {{"same second", nine, nine, ""},
                {"a minute later", nine, nine + 60, "lblSchoolCompleted txtDisplay"},
                {"two days later", nine, nine + 2 * day,
                    "lblSchoolCompleted prgbarSchool txtDisplay"},
                {"a hair after it", -1, hair, "hand-over"}, {"stepped over it", -1, 1, "hand-over"},
                {"a hair into the last second", -2, -1 + hair, "any"},
                {"a day's jump", 1 - day, 1, "any"}});
    }
    void twoTicks()
    {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(QString, painted);
        struct PaintCounter : QObject {
            QStringList painted;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Paint && !painted.contains(o->objectName()))
                    painted << o->objectName();
                return false;
            }
        } counter;
        t->clock.value = w->GradDate + from / 86400;
        w->RefreshAllTimers();
        TestForms::flush();
        const FrmTasseldayControls& c = w->controls();
        for (QWidget* watched : std::initializer_list<QWidget*> {
                 c.txtDisplay, c.lblSet, c.lblSchoolCompleted, c.prgbarSchool})
            watched->installEventFilter(&counter);
        t->clock.value = w->GradDate + to / 86400;
        w->RefreshAllTimers();
        const bool handsOver = painted == "hand-over";
        QCOMPARE(t->forms.frmDone().isLoaded(), handsOver);
        QVERIFY(w->isLoaded() != handsOver && t->programEnds == 0);
        if (handsOver || painted == "any")
            return;
        w->RefreshAllTimers(); // the gesture's count ends and resets the square to its colour
        TestForms::flush();
        counter.painted.sort();
        QCOMPARE(counter.painted.join(' '), painted);
    }

    // The ticking controls are heard only while the user is on them (their names are the
    // end-to-end scenario's).
    void screenReader()
    {
        // Handed to the program's handler as Qt hands them over with a reader listening.
        const QAccessible::UpdateHandler program = QAccessible::installUpdateHandler(nullptr);
        QAccessible::installUpdateHandler(program);
        for (const bool focused : {false, true}) {
            focused ? txt()->setFocus() : txt()->clearFocus();
            heard.clear();
            QAccessibleTextUpdateEvent text(txt(), 0, QStringLiteral("45"), QStringLiteral("44"));
            QAccessibleValueChangeEvent value(w->controls().prgbarSchool, 71.4);
            QAccessibleEvent name(w->controls().lblSchoolCompleted, QAccessible::NameChanged);
            program(&text), program(&value), program(&name);
            QCOMPARE(heard, focused ? QStringList {"txtDisplay"} : QStringList());
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"

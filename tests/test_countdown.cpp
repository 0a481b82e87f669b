// The countdown as a user meets it, from its first frame to the celebration: the texts, bar and
// face at chosen moments, the hidden gesture, the pacing of the refresh, what a screen reader
// hears, the hand-over to the celebration.
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/displaybox.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>

class CountdownTest : public QObject {
    Q_OBJECT
    TestForms* t = nullptr;
    FrmTasselday* w = nullptr;
    ui::DisplayBox* txt() { return w->controls().txtDisplay; }
    // The line and the percentage as shown.
    QString shown()
    {
        return txt()->text() + ' ' + w->controls().lblSchoolCompleted->text().mid(23);
    }
    quint32 square() { return ui::roleColor(w->controls().lblSet, QPalette::Window); }
    static inline QStringList heard; // controls a screen reader heard change

private slots:
    void initTestCase()
    {
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

    // The school year runs from 24 August 2005 to the ceremony, 4 June 2006 18:00, 285 days.
    // Load shows the first frame; a tick at a moment (ISO 8601), then another with the ceremony
    // moved by "later" days. The bar holds the percentage clamped, and a screen reader reads it
    // so, while the label is not clamped; the last minute is bold at 12 points and stays so.
    void moments_data()
    {
        table<QString, double, QString, QString, bool>({"at", "later", "line", "percent", "bold"},
            {{"at load", "", 0, "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!", "71.36702",
                 false},
                {"before the school year", "2005-08-01T00:00:00", 0,
                    "43 Weeks, 6 Days, 18 Hours, 0 Minutes, 0 Seconds!", "-8.07018", false},
                {"exactly a week", "2006-05-28T18:00:00", 0,
                    "1 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds!", "97.45614", false},
                {"three days", "2006-06-01T18:00:00", 0, "3 Days, 0 Hours, 0 Minutes, 0 Seconds!",
                    "98.85965", false},
                {"two minutes", "2006-06-04T17:58:01", 0, "1 Minutes, 59 Seconds!", "99.9118",
                    false},
                {"last second", "2006-06-04T17:59:59", 0, "1 Seconds!", "99.91228", true},
                {"after the last minute", "2006-06-04T17:59:59", 10,
                    "1 Weeks, 3 Days, 0 Hours, 0 Minutes, 1 Seconds!", "99.91228", true},
                {"a second past", "2006-06-04T18:00:01", 0, "23 Hours, 59 Minutes, 59 Seconds!",
                    "99.91228", false},
                {"days after", "2006-06-12T06:00:00", 0, "12 Hours, 0 Minutes, 0 Seconds!",
                    "102.54386", false}});
    }
    void moments()
    {
        const int normal = txt()->font().pixelSize();
        if (const QString at = cell<QString>("at"); !at.isEmpty()) {
            t->clock.value = ui::toDateValue(QDateTime::fromString(at, Qt::ISODate));
            w->RefreshAllTimers();
            w->GradDate += cell<double>("later");
            w->RefreshAllTimers();
        }
        const QString percent = cell<QString>("percent");
        QCOMPARE(shown(), cell<QString>("line") + ' ' + percent + '%');
        auto* bar = QAccessible::queryAccessibleInterface(w->controls().prgbarSchool);
        QCOMPARE(bar->valueInterface()->currentValue().toDouble(),
            qBound(0.0, percent.toDouble(), 100.0));
        QTEST(txt()->font().bold(), "bold");
        QCOMPARE(txt()->font().pixelSize(), txt()->font().bold() ? 16 : normal);
    }

    // Ticks at "before" and then "after" seconds to the ceremony, then the options dialog's
    // jump if asked. Nothing left, a late tick that stepped over the ceremony's second or its
    // time of day (which comes again each day), and the jump hand over alike and in one order:
    // the celebration loaded first, then the others closed, the celebration alone and shown,
    // the program still running. Any other late tick goes on counting.
    void handOver_data()
    {
        table<int, int, bool, bool>({"before", "after", "jump", "handsOver"},
            {{"nothing left", 1, 0, false, true},
                {"nothing left a day later", -86399, -86400, false, true},
                {"stepped over", 1, -1, false, true},
                {"stepped over a day later", -86399, -86401, false, true},
                {"over its time a day before", 86401, 86399, false, false},
                {"three seconds at once", 2, -1, false, false}, {"jump", 5, 5, true, true}});
    }
    void handOver()
    {
        QStringList events;
        QObject watcher; // goes before the windows do
        connect(&t->forms.frmDone(), &ui::Form::loaded, &watcher, [&] { events << "celebration"; });
        const std::pair<ui::Form*, const char*> others[]
            = {{w, "main"}, {&t->forms.frmAbout(), "about"}, {&t->forms.frmAdvOpt(), "options"}};
        for (auto [form, name] : others) {
            form->show();
            connect(form, &ui::Form::unloaded, &watcher, [&events, name] { events << name; });
        }
        for (const char* at : {"before", "after"}) {
            t->clock.value = w->GradDate - cell<int>(at) / 86400.0;
            w->RefreshAllTimers();
        }
        if (cell<bool>("jump"))
            QTest::mouseClick(t->forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
        const bool handsOver = cell<bool>("handsOver");
        const QStringList order {"celebration", "about", "main", "options"};
        QCOMPARE(events, handsOver ? order : QStringList());
        TestForms::flush();
        QCOMPARE(w->isLoaded() || t->forms.frmAbout().isLoaded(), !handsOver);
        QCOMPARE(
            t->forms.frmDone().isLoaded() && t->forms.frmDone().window()->isVisible(), handsOver);
        QCOMPARE(t->programEnds, 0);
    }

    // The hidden square: d a double-click, t a tick. Each double-click must come before the
    // third tick after the one before it; the third opens the options dialog, and the square
    // takes the colour of the stage the count stands at. The real timer goes on meanwhile.
    void gesture_data()
    {
        table<QString, quint32, bool>({"script", "square", "opens"},
            {{"two", "dd", 0x00C00000u, false},
                {"stage 2, two ticks", "ddttd", ui::colors::Navy, true},
                {"stage 2, three ticks", "ddtttd", 0x00900000u, false}});
    }
    void gesture()
    {
        QFETCH(QString, script);
        for (const QChar step : script)
            step == 'd' ? QTest::mouseDClick(w->controls().lblSet, Qt::LeftButton)
                        : w->RefreshAllTimers();
        QTEST(square(), "square");
        QTEST(t->forms.frmAdvOpt().isLoaded(), "opens");
        w->controls().timerRefresh->start();
        t->clock.advanceSeconds(1);
        QTRY_VERIFY_WITH_TIMEOUT(txt()->text().endsWith(" 44 Seconds!"), 2500);
    }

    // Each run is planned to just after the next whole second, from the reading it showed;
    // a run that comes early shows nothing and counts no tick; a refresh asked for by the
    // program ticks at once and leaves the plan alone.
    // msToNext: where in its second the clock stands on firing; msPerRead: the clock runs on
    // while it is read.
    void pacing_data()
    {
        table<int, int, bool, int>({"step", "msToNext", "ticks", "msPerRead"},
            {{"on time", 1, 998, true, 0}, {"a hair early", 0, 1, false, 0},
                {"read as the second turns", 1, 1, true, 1}});
    }
    void pacing()
    {
        QFETCH(int, msToNext);
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
        t->clock.advanceSeconds(cell<int>("step"));
        t->clock.msToNext = msToNext;
        QTest::mouseDClick(w->controls().lblSet, Qt::LeftButton); // the gesture counts real ticks
        t->clock.msPerRead = cell<int>("msPerRead");
        fire();
        QTEST(shown() != before, "ticks");
        QCOMPARE(timer->interval(), msToNext + margin);
        fire(), fire(); // early: still in the second just shown
        QCOMPARE(square(), 0x00900000u);
    }

    // The ticking controls are heard only while the user is on them.
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

QTEST_MAIN(CountdownTest)
#include "test_countdown.moc"

// The main window as a user meets it, from its first frame to the hand-over to the celebration:
// what a tick shows of the countdown, the hidden gesture, the pacing of the refresh.
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/displaybox.h"

#include <QAccessible>
#include <QScreen>

class MainWindowTest : public QObject {
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

private slots:
    void init()
    {
        t = new TestForms;
        w = &t->forms.frmTasselday();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->window()));
        w->controls().timerRefresh->stop(); // only the test's ticks count, but where it says
    }
    void cleanup() { delete t; }

    // Load shows the first frame; then a tick at each moment, or with the ceremony moved by
    // "+days", or the options dialog's jump. The bar holds the percentage clamped, and a screen
    // reader reads it so, while the label is not; the last minute is bold at 12 points and
    // stays so. Nothing left, a late tick that stepped over the ceremony's second or its time of
    // day, and the jump hand over alike (an empty "shown"): the others closed, the celebration
    // alone and shown, the program still running.
    void ticks_data()
    {
        table<QStringList, QString, bool>({"steps", "shown", "bold"},
            {{"at load", {}, "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds! 71.36702%", false},
                {"a second on", {"2006-03-15 09:30:16"},
                    "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 44 Seconds! 71.36702%", false},
                {"before the school year", {"2005-08-01 00:00:00"},
                    "43 Weeks, 6 Days, 18 Hours, 0 Minutes, 0 Seconds! -8.07018%", false},
                {"after the last minute", {"2006-06-04 17:59:59", "+10"},
                    "1 Weeks, 3 Days, 0 Hours, 0 Minutes, 1 Seconds! 99.91228%", true},
                {"days after", {"2006-06-12 06:00:00"},
                    "12 Hours, 0 Minutes, 0 Seconds! 102.54386%", false},
                {"three seconds at once", {"2006-06-04 17:59:58", "2006-06-04 18:00:01"},
                    "23 Hours, 59 Minutes, 59 Seconds! 99.91228%", true},
                {"nothing left", {"2006-06-04 18:00:00"}, "", false},
                {"stepped over", {"2006-06-04 17:59:59", "2006-06-04 18:00:01"}, "", false},
                {"jump", {"jump"}, "", false}});
    }
    void ticks()
    {
        ui::Form* const others[] = {w, &t->forms.frmAbout(), &t->forms.frmAdvOpt()};
        for (ui::Form* form : others)
            form->show();
        QTest::qWait(20); // painted, so that a tick repaints only what it changes
        for (const QString& step : cell<QStringList>("steps")) {
            if (step == "jump")
                QTest::mouseClick(t->forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
            else if (step.startsWith('+'))
                w->GradDate += step.toDouble();
            else
                t->clock.value = ui::toDateValue(QDateTime::fromString(step, Qt::ISODate));
            w->RefreshAllTimers();
        }
        const bool handedOver = cell<QString>("shown").isEmpty();
        TestForms::flush();
        for (ui::Form* form : others)
            QCOMPARE(form->isLoaded(), !handedOver);
        QCOMPARE(
            t->forms.frmDone().isLoaded() && t->forms.frmDone().window()->isVisible(), handedOver);
        QCOMPARE(t->programEnds, 0); // the celebration was loaded before the others closed
        if (handedOver)
            return;
        QTEST(shown(), "shown");
        const double percent = shown().section(' ', -1).chopped(1).toDouble();
        auto* bar = QAccessible::queryAccessibleInterface(w->controls().prgbarSchool);
        QCOMPARE(bar->valueInterface()->currentValue().toDouble(), qBound(0.0, percent, 100.0));
        QTEST(txt()->font().bold(), "bold");
        QCOMPARE(txt()->font().pixelSize(), txt()->font().bold() ? 16 : 11); // 12 or 8.25 points
        // Though it repaints only what changed, the box shows what a read-only text box of its
        // font, colours and alignment shows, and a screen reader meets it as read-only.
        ui::TextBox box(w->window());
        box.setReadOnly(true);
        box.setAlignment(Qt::AlignCenter);
        box.setGeometry(txt()->geometry().translated(0, -40));
        box.setFont(txt()->font());
        box.setPalette(txt()->palette());
        box.setText(txt()->text());
        box.show();
        QTest::qWait(50);
        const QImage screen = w->window()->screen()->grabWindow(w->window()->winId()).toImage();
        QCOMPARE(screen.copy(box.geometry()), screen.copy(txt()->geometry()));
        QVERIFY(QAccessible::queryAccessibleInterface(txt())->state().readOnly);
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
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"

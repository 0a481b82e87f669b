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

    // Load shows the first frame; then a tick at each moment. The bar holds the percentage
    // clamped, and a screen reader reads it so; the last minute is bold at 12 points and stays
    // so. Nothing left and a late tick that stepped over the ceremony's second hand over alike
    // (an empty "shown"): the others closed, the celebration alone and shown, the program still
    // running.
    void ticks_data()
    {
        table<QStringList, QString, bool>({"steps", "shown", "bold"},
            {{"at load", {}, "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds! 71.36702%", false},
                {"days after", {"2006-06-12 06:00:00"},
                    "12 Hours, 0 Minutes, 0 Seconds! 102.54386%", false},
                {"three seconds at once", {"2006-06-04 17:59:58", "2006-06-04 18:00:01"},
                    "23 Hours, 59 Minutes, 59 Seconds! 99.91228%", true},
                {"nothing left", {"2006-06-04 18:00:00"}, "", false},
                {"stepped over", {"2006-06-04 17:59:59", "2006-06-04 18:00:01"}, "", false}});
    }
    void ticks()
    {
        ui::Form* const others[] = {w, &t->forms.frmAbout(), &t->forms.frmAdvOpt()};
        for (ui::Form* form : others)
            form->show();
        QTest::qWait(20); // painted, so that a tick repaints only what it changes
        for (const QString& step : cell<QStringList>("steps")) {
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

    // The hidden square: d a double-click, t a refresh a second on, e a run of the timer that
    // comes early, in the second already shown. Each double-click must come before the third
    // tick after the one before it; the third opens the options dialog, and the square takes
    // the colour of the stage the count stands at. An early run counts no tick and plans the
    // next run anew; a refresh the program asks for leaves the plan alone.
    void gesture_data()
    {
        table<QString, quint32, bool, int>({"script", "square", "opens", "msPlanned"},
            {{"two", "dd", 0x00C00000u, false, 1000},
                {"three ticks between", "ddtttd", 0x00900000u, false, 1000},
                {"early runs between", "ddeeed", ui::colors::Navy, true, 1}});
    }
    void gesture()
    {
        QTimer* timer = w->controls().timerRefresh;
        t->clock.msToNext = 1; // a hair before the next second; at load, a whole second
        for (const QChar step : cell<QString>("script")) {
            if (step == 'd')
                QTest::mouseDClick(w->controls().lblSet, Qt::LeftButton);
            else if (step == 'e')
                QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
            else {
                t->clock.advanceSeconds(1);
                w->RefreshAllTimers();
            }
        }
        QTEST(square(), "square");
        QTEST(t->forms.frmAdvOpt().isLoaded(), "opens");
        QTEST(timer->interval() - FrmTasselday::kMarginMs, "msPlanned");
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"

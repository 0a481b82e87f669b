// From the countdown to the celebration: the tick that finds nothing left closes every
// other window and shows the celebration, and the program only ends when that closes.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/datevalue.h"
#include "ui/lifetime.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

class HandoverTest : public QObject {
    Q_OBJECT

    static void expectCelebrationAlone(TestForms& t)
    {
        QVERIFY(!t.forms.frmTasselday().isLoaded());
        QVERIFY(!t.forms.frmAbout().isLoaded());
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        QVERIFY(t.forms.frmDone().isLoaded());
        QVERIFY(t.forms.frmDone().window()->isVisible());
        QVERIFY(t.forms.frmDone().window()->isMaximized());
        QCOMPARE(t.programEnds, 0);
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    // The tick that finds nothing left and the options dialog's jump take the same steps.
    void handsOverInOrder_data()
    {
        QTest::addColumn<bool>("byJump");
        QTest::newRow("last second") << false;
        QTest::newRow("jump") << true;
    }
    void handsOverInOrder()
    {
        QFETCH(bool, byJump);
        TestForms t;
        t.clock.set(2006, 6, 4, 17, 59, 59);
        FrmTasselday& main = t.forms.frmTasselday();
        main.show();
        t.forms.frmAbout().show();
        t.forms.frmAdvOpt().show();
        QPointer<ui::TextBox> display = main.control<ui::TextBox>("txtDisplay");
        QPointer<ui::Label> percent = main.control<ui::Label>("lblSchoolCompleted");
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!"));
        const QString lastPercent = percent->text();
        main.intPercentDigits = 15; // so that any further write would show

        // What happened, in order, and whether the program had ended or the celebration
        // could be seen at that moment.
        QStringList events;
        QObject watcher; // goes before the windows do
        FrmDone& done = t.forms.frmDone();
        auto note = [&](const char* what) {
            return [&, what] {
                events << QStringLiteral("%1 %2 %3").arg(QLatin1String(what)).arg(t.programEnds)
                              .arg(done.window() && done.window()->isVisible());
            };
        };
        connect(&done, &ui::Form::loaded, &watcher, note("celebration loaded"));
        connect(&main, &ui::Form::unloaded, &watcher, note("main unloaded"));
        connect(&t.forms.frmAbout(), &ui::Form::unloaded, &watcher, note("about unloaded"));
        connect(&t.forms.frmAdvOpt(), &ui::Form::unloaded, &watcher, note("options unloaded"));

        if (byJump) {
            QTest::mouseClick(t.forms.frmAdvOpt().control<ui::Button>("cmdJump"), Qt::LeftButton);
        } else {
            t.clock.set(2006, 6, 4, 18, 0, 0);
            main.RefreshAllTimers();
        }
        // The main window's own closing takes the About box with it.
        QCOMPARE(events, (QStringList{"celebration loaded 0 0", "about unloaded 0 0",
                                      "main unloaded 0 0", "options unloaded 0 0"}));
        expectCelebrationAlone(t);

        // Nothing more was written to the closed window.
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!"));
        QCOMPARE(percent->text(), lastPercent);

        // No closed window comes back, and the run goes on.
        QTest::qWait(1100);
        expectCelebrationAlone(t);
        QCOMPARE(done.window()->geometry(), QGuiApplication::primaryScreen()->geometry());
    }

    // The countdown only looks at the time of day left, so the ceremony's hour recurs.
    void handsOverAtTheCeremonyTimeOfDay_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("later");
        QTest::newRow("a day later")
            << ui::toDateValue(2006, 6, 5, 17, 59, 58) << ui::toDateValue(2006, 6, 5, 18, 0, 0);
        QTest::newRow("a month later")
            << ui::toDateValue(2006, 7, 4, 17, 0, 0) << ui::toDateValue(2006, 7, 4, 18, 0, 0);
        QTest::newRow("starting at it")
            << ui::toDateValue(2006, 6, 5, 18, 0, 0) << ui::toDateValue(2006, 6, 5, 18, 0, 0);
    }
    void handsOverAtTheCeremonyTimeOfDay()
    {
        QFETCH(double, start);
        QFETCH(double, later);
        TestForms t;
        t.clock.value = start;
        t.forms.frmTasselday().show();
        QCOMPARE(t.forms.frmDone().isLoaded(), start == later);
        t.clock.value = later;
        // The main window's own timer finds it.
        QTRY_VERIFY_WITH_TIMEOUT(t.forms.frmDone().isLoaded(), 3000);
        expectCelebrationAlone(t);
    }

    // No window holds another that could dangle: either may go first, open or not.
    void windowsMayGoInAnyOrder()
    {
        TestForms t;
        auto main = std::make_unique<FrmTasselday>(t.clock);
        FrmAdvOpt options(*main, t.messages);
        main->show();
        options.show();
        QVERIFY(!main->enabled());
        main.reset();
        options.unload();
        options.show();
        QVERIFY(options.isLoaded());
        options.unload();

        // The whole program, with every window open.
        auto program = std::make_unique<Program>(
            ui::Services{t.clock, t.urls, t.starter, t.files, t.messages, t.registry});
        program->frmTasselday().show();
        program->frmAbout().show();
        program->frmAdvOpt().show();
        program->frmDone().show();
        const int ends = t.programEnds;
        program.reset();
        TestForms::flush();
        QCOMPARE(t.programEnds, ends); // destroyed, not closed: no handler ran
    }

    void closingTheCelebrationEndsTheRunOnce()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 18, 0, 0);
        t.forms.frmTasselday().show();
        FrmDone& done = t.forms.frmDone();
        QVERIFY(QTest::qWaitForWindowExposed(done.window()));
        QTest::mouseClick(done.control<ui::Button>("cmdClose"), Qt::LeftButton);
        QTest::qWait(1100);
        QCOMPARE(t.programEnds, 1);
        QVERIFY(!ui::anyFormLoaded());
    }
};

QTEST_MAIN(HandoverTest)
#include "test_handover.moc"

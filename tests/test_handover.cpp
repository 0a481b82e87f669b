// From the countdown to the celebration: the tick that finds nothing left closes every
// other window and shows the celebration, and the program only ends when that closes.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/lifetime.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

class HandoverTest : public QObject {
    Q_OBJECT

    // What happened to the windows, in order, with what could be seen at that moment.
    struct Journal {
        QStringList events;
        QList<int> endsAt;
        QList<bool> celebrationVisibleAt;
    };

    static void watch(TestForms& t, Journal& j)
    {
        FrmDone& done = t.forms.frmDone();
        auto note = [&t, &j, &done](const char* what) {
            return [&t, &j, &done, what] {
                j.events << QString::fromLatin1(what);
                j.endsAt << t.programEnds;
                j.celebrationVisibleAt << (done.window() && done.window()->isVisible());
            };
        };
        QObject::connect(&done, &ui::Form::loaded, &done, note("celebration loaded"));
        QObject::connect(&t.forms.frmTasselday(), &ui::Form::unloaded, &done,
                         note("main unloaded"));
        QObject::connect(&t.forms.frmAbout(), &ui::Form::unloaded, &done,
                         note("about unloaded"));
        QObject::connect(&t.forms.frmAdvOpt(), &ui::Form::unloaded, &done,
                         note("options unloaded"));
    }

    static void expectCelebrationAlone(TestForms& t)
    {
        QVERIFY(!t.forms.frmTasselday().isLoaded());
        QVERIFY(!t.forms.frmAbout().isLoaded());
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        FrmDone& done = t.forms.frmDone();
        QVERIFY(done.isLoaded());
        QVERIFY(done.window()->isVisible());
        QVERIFY(done.window()->isMaximized());
        QCOMPARE(t.programEnds, 0);
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void lastSecondHandsOverInOrder()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 17, 59, 59);
        FrmTasselday& main = t.forms.frmTasselday();
        main.show();
        t.forms.frmAbout().show();
        t.forms.frmAdvOpt().show();
        QVERIFY(!main.enabled());
        QPointer<ui::TextBox> display = main.control<ui::TextBox>("txtDisplay");
        QPointer<ui::Label> percent = main.control<ui::Label>("lblSchoolCompleted");
        QPointer<ui::ProgressBar> bar = main.control<ui::ProgressBar>("prgbarSchool");
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!"));
        const QString lastPercent = percent->text();
        const float lastBar = bar->percent();

        Journal j;
        watch(t, j);
        t.clock.set(2006, 6, 4, 18, 0, 0);
        main.RefreshAllTimers();

        // The main window's own closing takes the About box with it.
        QCOMPARE(j.events, (QStringList{"celebration loaded", "about unloaded", "main unloaded",
                                        "options unloaded"}));
        QCOMPARE(j.endsAt, (QList<int>{0, 0, 0, 0}));
        QCOMPARE(j.celebrationVisibleAt, (QList<bool>{false, false, false, false}));
        expectCelebrationAlone(t);

        // Nothing more was written to the closed window.
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!"));
        QCOMPARE(percent->text(), lastPercent);
        QCOMPARE(bar->percent(), lastBar);
        TestForms::flush();
        QVERIFY(display.isNull());

        // No closed window comes back, and the run goes on.
        QTest::qWait(1100);
        expectCelebrationAlone(t);
        QCOMPARE(t.forms.frmDone().window()->geometry(),
                 QGuiApplication::primaryScreen()->geometry());
    }

    void theMainWindowsOwnTimerHandsOver()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 17, 59, 59);
        t.forms.frmTasselday().show();
        t.clock.set(2006, 6, 4, 18, 0, 0);
        QTRY_VERIFY_WITH_TIMEOUT(t.forms.frmDone().isLoaded(), 3000);
        expectCelebrationAlone(t);
        QVERIFY(QTest::qWaitForWindowExposed(t.forms.frmDone().window()));
    }

    void theCeremonyTimeOfDayRecurring_data()
    {
        QTest::addColumn<QDateTime>("before");
        QTest::addColumn<QDateTime>("at");
        QTest::newRow("a day later") << QDateTime(QDate(2006, 6, 5), QTime(17, 59, 58))
                                     << QDateTime(QDate(2006, 6, 5), QTime(18, 0, 0));
        QTest::newRow("a month later") << QDateTime(QDate(2006, 7, 4), QTime(17, 0, 0))
                                       << QDateTime(QDate(2006, 7, 4), QTime(18, 0, 0));
    }

    void theCeremonyTimeOfDayRecurring()
    {
        QFETCH(QDateTime, before);
        QFETCH(QDateTime, at);
        auto set = [](TestForms& t, const QDateTime& m) {
            t.clock.set(m.date().year(), m.date().month(), m.date().day(), m.time().hour(),
                        m.time().minute(), m.time().second());
        };
        TestForms t;
        set(t, before);
        t.forms.frmTasselday().show();
        QVERIFY(t.forms.frmTasselday().isLoaded());
        QVERIFY(!t.forms.frmDone().isLoaded());
        set(t, at);
        t.forms.frmTasselday().RefreshAllTimers();
        expectCelebrationAlone(t);
    }

    void startingAtTheCeremonyGoesStraightToTheCelebration()
    {
        TestForms t;
        t.clock.set(2006, 6, 5, 18, 0, 0);
        t.forms.frmTasselday().show();
        expectCelebrationAlone(t);
    }

    void closingTheCelebrationEndsTheRunOnce()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 18, 0, 0);
        t.forms.frmTasselday().show();
        FrmDone& done = t.forms.frmDone();
        QVERIFY(QTest::qWaitForWindowExposed(done.window()));
        QTest::mouseClick(done.control<ui::Button>("cmdClose"), Qt::LeftButton);
        QCOMPARE(t.programEnds, 1);
        QVERIFY(!ui::anyFormLoaded());
        QTest::qWait(1100);
        QCOMPARE(t.programEnds, 1);
        QVERIFY(!ui::anyFormLoaded());
    }
};

QTEST_MAIN(HandoverTest)
#include "test_handover.moc"

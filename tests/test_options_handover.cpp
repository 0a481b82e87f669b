// Leaving the countdown from the options dialog: the jump, and the ceremony arriving while
// the dialog is open.
#include "test_options_fixture.h"

#include "about/frmabout.h"
#include "celebration/frmdone.h"
#include "ui/lifetime.h"

#include <QApplication>

using namespace optionsTest;

namespace {

// A message box that stays open long enough for the ceremony to arrive.
class CeremonyDuringMessage final : public ui::MessageBox {
public:
    std::function<void()> whileOpen;
    int shown = 0;
    void show(QWidget*, const QString&, const QString&, Icon) override
    {
        ++shown;
        if (whileOpen)
            whileOpen();
    }
};

} // namespace

class OptionsHandOverTest : public QObject {
    Q_OBJECT

    static void expectCelebrationOnly(TestForms& t)
    {
        QVERIFY(t.forms.frmDone().isLoaded());
        QVERIFY(t.forms.frmDone().window()->isVisible());
        QVERIFY(!t.forms.frmTasselday().isLoaded());
        QVERIFY(!t.forms.frmAbout().isLoaded());
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        QCOMPARE(t.programEnds, 0);
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void jumpGoesStraightToTheCelebration_data()
    {
        QTest::addColumn<bool>("aboutOpen");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click") << false << false;
        QTest::newRow("click, About open") << true << false;
        QTest::newRow("Alt+J") << false << true;
    }
    void jumpGoesStraightToTheCelebration()
    {
        QFETCH(bool, aboutOpen);
        QFETCH(bool, byKey);
        TestForms t;
        t.forms.frmTasselday().show();
        if (aboutOpen)
            t.forms.frmAbout().show();
        QVERIFY(openByGesture(t));
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("9")); // never applied
        if (byKey) {
            QWidget* w = t.forms.frmAdvOpt().window();
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::AltModifier);
            QTRY_VERIFY(t.forms.frmDone().isLoaded());
        } else {
            press(t, "cmdJump");
        }
        expectCelebrationOnly(t);
        QCOMPARE(t.forms.frmTasselday().GradDate, kBuiltInCeremony);
        // Nothing brings the closed main window back.
        TestForms::flush();
        QVERIFY(!t.forms.frmTasselday().isLoaded());
    }

    void escapeNeverJumps()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        button(t, "cmdJump")->setFocus();
        QTest::keyClick(button(t, "cmdJump"), Qt::Key_Escape);
        QVERIFY(!t.forms.frmDone().isLoaded());
        QVERIFY(t.forms.frmTasselday().isLoaded());
        QVERIFY(t.forms.frmTasselday().enabled());
    }

    void ceremonyTickClosesTheOpenDialog()
    {
        TestForms t;
        QVERIFY(openByGesture(t));
        t.clock.set(2006, 6, 4, 18, 0, 0);
        // The main window's own timer, not a call from the test.
        QTRY_VERIFY_WITH_TIMEOUT(!t.forms.frmAdvOpt().isLoaded(), 2500);
        expectCelebrationOnly(t);
    }

    void applyingTheMomentThatIsNowHandsOver()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 9, 30, 0);
        QVERIFY(openByGesture(t));
        typeTime(t, QStringLiteral("9"), QStringLiteral("30"), QStringLiteral("00"));
        amPm(t)->setFocus();
        QTest::keyClick(amPm(t), Qt::Key_Up);
        press(t, "cmdOK");
        expectCelebrationOnly(t);
        TestForms::flush();
        QVERIFY(!t.forms.frmTasselday().isLoaded());
    }

    void ceremonyArrivingDuringTheMessageIsSurvived()
    {
        fakes::Clock clock;
        fakes::UrlOpener urls;
        fakes::ProgramStarter starter;
        fakes::FileProbe files;
        fakes::Registry registry;
        CeremonyDuringMessage messages;
        int ends = 0;
        auto previous = ui::setProgramEndHandler([&] { ++ends; });
        {
            Forms forms({clock, urls, starter, files, messages, registry});
            clock.set(2006, 3, 15, 9, 30, 15);
            auto& main = forms.frmTasselday();
            main.show();
            forms.frmAdvOpt().show();
            messages.whileOpen = [&] {
                clock.set(2006, 6, 4, 18, 0, 0);
                main.RefreshAllTimers();
            };
            auto* minutes = forms.frmAdvOpt().control<ui::TextBox>("txtSetTime_Minutes");
            typeInto(minutes, QStringLiteral("75"));
            QTest::mouseClick(forms.frmAdvOpt().control<ui::Button>("cmdOK"), Qt::LeftButton);

            QCOMPARE(messages.shown, 1);
            QVERIFY(!forms.frmAdvOpt().isLoaded());
            QVERIFY(!main.isLoaded());
            QVERIFY(forms.frmDone().isLoaded());
            QCOMPARE(main.GradDate, kBuiltInCeremony);
            QCOMPARE(ends, 0);
            TestForms::flush();
        }
        ui::setProgramEndHandler(previous);
    }
};

QTEST_MAIN(OptionsHandOverTest)
#include "test_options_handover.moc"

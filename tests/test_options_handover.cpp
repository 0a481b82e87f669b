// Leaving the countdown from the options dialog: the jump, and the ceremony arriving while
// the dialog is open.
#include "test_options_fixture.h"

#include "about/frmabout.h"
#include "celebration/frmdone.h"

#include <QApplication>

using namespace optionsTest;

class OptionsHandOverTest : public QObject {
    Q_OBJECT

    // Only the celebration is left, and nothing brings the closed windows back.
    static void expectCelebrationOnly(TestForms& t)
    {
        TestForms::flush();
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
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "Alt+J", "Enter on Jump"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void jumpGoesStraightToTheCelebration()
    {
        QFETCH(QString, how);
        TestForms t;
        t.forms.frmTasselday().show();
        t.forms.frmAbout().show();
        QVERIFY(openByGesture(t));
        typeInto(box(t, "txtSetTime_Hours"), QStringLiteral("9")); // never applied
        if (how == "click") {
            press(t, "cmdJump");
        } else {
            QVERIFY(activate(t));
            QWidget* jump = t.forms.frmAdvOpt().control<QWidget>("cmdJump");
            if (how == "Alt+J") {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::AltModifier);
            } else {
                jump->setFocus();
                QTest::keyClick(jump, Qt::Key_Return);
            }
            QTRY_VERIFY(t.forms.frmDone().isLoaded());
        }
        expectCelebrationOnly(t);
        QCOMPARE(t.forms.frmTasselday().GradDate, kBuiltInCeremony);
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
};

QTEST_MAIN(OptionsHandOverTest)
#include "test_options_handover.moc"

// The hand-over that opens the celebration window. (The window's look, colours, place on the
// screen, the ways it ends and the natural hand-over are the end-to-end scenarios'.)
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/controls.h"

#include <QApplication>

class CelebrationTest : public QObject {
    Q_OBJECT

private slots:
    // A late tick that stepped over the ceremony's second, and the options dialog's jump, hand
    // over alike: the celebration alone and shown, the program still running.
    void handsOver_data() { table<bool>({"byJump"}, {{"stepped over", false}, {"jump", true}}); }
    void handsOver()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 17, 59, 59);
        for (ui::Form* form : std::initializer_list<ui::Form*> {
                 &t.forms.frmTasselday(), &t.forms.frmAbout(), &t.forms.frmAdvOpt()})
            form->show();
        if (cell<bool>("byJump"))
            QTest::mouseClick(t.forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
        else
            t.clock.advanceSeconds(2), t.forms.frmTasselday().RefreshAllTimers();
        TestForms::flush();
        QVERIFY(!t.forms.frmTasselday().isLoaded() && !t.forms.frmAbout().isLoaded());
        QVERIFY(!t.forms.frmAdvOpt().isLoaded() && t.forms.frmDone().window()->isVisible());
        QCOMPARE(t.programEnds, 0);
    }
};

QTEST_MAIN(CelebrationTest)
#include "test_celebration.moc"

// The celebration's arrangement and the hand-over that opens it. (The window's colours, place
// on the screen and the ways it ends are the end-to-end scenarios'.)
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QApplication>

namespace {

// Where a window of `size` puts Label1, Label2, Image1..4 and the X, in twips; nothing is
// clamped on a tiny window.
struct Arrangement {
    const char* name;
    QSize size;
    QList<QPointF> twips;
};
const Arrangement kArrangements[] = {
    {"15360 x 11520", {1024, 768},
        {{-320, 4072.5}, {13305, 10865}, {960, 8853}, {12870, 8853}, {960, 1152}, {12870, 1152},
            {15120, 10}}},
    {"tiny", {20, 10},
        {{-7850, -1612.5}, {-1755, -505}, {18.75, -1380}, {-1248.75, -1380}, {18.75, 15},
            {-1248.75, 15}, {60, 10}}},
};

} // namespace

class CelebrationTest : public QObject {
    Q_OBJECT

private slots:
    // Arranged anew at each size, from the window's own size; the pictures unstretched inside
    // a 2-pixel border, the right-hand ones mirrored.
    void arrangement_data() { rows::add(kArrangements); }
    void arrangement()
    {
        const Arrangement& r = rows::fetch(kArrangements);
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.show();
        const FrmDoneControls& c = f.controls();
        for (QSize size : {QSize(640, 480), r.size}) {
            f.window()->resize(size);
            QTRY_COMPARE(f.window()->size(), size);
        }
        QWidget* const placed[]
            = {c.Label1, c.Label2, c.Image1, c.Image2, c.Image3, c.Image4, c.cmdClose};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(placed[i]->pos(), QPoint(ui::px(r.twips[i].x()), ui::px(r.twips[i].y())));
        const QImage a = ui::bitmapA().toImage(), b = ui::bitmapB().toImage();
        const QImage pictures[] = {a, a.mirrored(true, false), b, b.mirrored(true, false)};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(placed[2 + i]->grab().toImage().convertToFormat(a.format()).copy(2, 2, 98, 97),
                pictures[i]);
    }

    // A late tick that stepped over the ceremony's second, and the options dialog's jump, hand
    // over alike and in one order: the celebration loaded first, then the others closed, the
    // celebration alone and shown, the program still running.
    void handsOver_data() { table<bool>({"byJump"}, {{"stepped over", false}, {"jump", true}}); }
    void handsOver()
    {
        TestForms t;
        t.clock.set(2006, 6, 4, 17, 59, 59);
        QStringList events;
        QObject watcher; // goes before the windows do
        connect(&t.forms.frmDone(), &ui::Form::loaded, &watcher, [&] { events << "celebration"; });
        const std::pair<ui::Form*, const char*> others[] = {{&t.forms.frmTasselday(), "main"},
            {&t.forms.frmAbout(), "about"}, {&t.forms.frmAdvOpt(), "options"}};
        for (auto [form, name] : others) {
            form->show();
            connect(form, &ui::Form::unloaded, &watcher, [&events, name] { events << name; });
        }
        if (cell<bool>("byJump"))
            QTest::mouseClick(t.forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
        else
            t.clock.advanceSeconds(2), t.forms.frmTasselday().RefreshAllTimers();
        QCOMPARE(events, QStringList({"celebration", "about", "main", "options"}));
        TestForms::flush();
        QVERIFY(!t.forms.frmTasselday().isLoaded() && !t.forms.frmAbout().isLoaded());
        QVERIFY(!t.forms.frmAdvOpt().isLoaded() && t.forms.frmDone().window()->isVisible());
        QCOMPARE(t.programEnds, 0);
    }
};

QTEST_MAIN(CelebrationTest)
#include "test_celebration.moc"

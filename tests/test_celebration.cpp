// The celebration window (colour cycle, arrangement, the X) and the hand-over that opens it.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/displaybox.h"
#include "ui/twips.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

namespace {

QList<QPoint> positions(const FrmDone& f)
{
    const FrmDoneControls& c = f.controls();
    QList<QPoint> all;
    for (const QWidget* w : std::initializer_list<const QWidget*> {
             c.Label1, c.Label2, c.Image1, c.Image2, c.Image3, c.Image4, c.cmdClose})
        all << w->pos();
    return all;
}

QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

// Twips of Label1, Label2, Image1..4 and the X; nothing is clamped on a tiny window.
const std::tuple<const char*, QSize, QList<QPointF>> kArrangements[]
    = {{"15360 x 11520", {1024, 768},
           {{-320, 4072.5}, {13305, 10865}, {960, 8853}, {12870, 8853}, {960, 1152}, {12870, 1152},
               {15120, 10}}},
        {"tiny", {20, 10},
            {{-7850, -1612.5}, {-1755, -505}, {18.75, -1380}, {-1248.75, -1380}, {18.75, 15},
                {-1248.75, 15}, {60, 10}}}};

} // namespace

class CelebrationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    // Loaded centred at its restored size, cycling from load; shown full screen, it keeps
    // the restored size to go back to; neither ticks nor stray clicks move anything or end it.
    // (Its title, colours, "X" and place on the screen are the end-to-end scenarios'.)
    void loadedShownAndCycling()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.load();
        QWidget* w = f.window();
        // No frame and no taskbar button (on X11 a window system hint says so; elsewhere only
        // these flags).
        QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(w->windowType(), Qt::Tool);
        QVERIFY(f.controls().timerBGColor->isActive()); // from load, before the window is shown
        // The pictures unstretched inside a 2-pixel border, the right-hand ones mirrored.
        const QImage a = ui::bitmapA().toImage(), b = ui::bitmapB().toImage();
        const QImage pictures[] = {a, a.mirrored(true, false), b, b.mirrored(true, false)};
        ui::Picture* const images[]
            = {f.controls().Image1, f.controls().Image2, f.controls().Image3, f.controls().Image4};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(images[i]->grab().toImage().convertToFormat(a.format()).copy(2, 2, 98, 97),
                pictures[i]);
        QRect restored(0, 0, ui::px(12210), ui::px(9615));
        restored.moveCenter(screen().center());
        QCOMPARE(w->geometry(), restored);
        f.show();
        QTRY_VERIFY(w->isMaximized());
        QCOMPARE(w->normalGeometry(), restored);
        f.controls().timerBGColor->stop(); // only the test's ticks count
        const auto before = positions(f);
        QTest::mouseDClick(f.controls().Image1, Qt::LeftButton);
        QTest::mouseClick(f.controls().Label2, Qt::RightButton);
        for (int tick = 0; tick < 5; ++tick)
            QVERIFY(QMetaObject::invokeMethod(f.controls().timerBGColor, "timeout"));
        QCOMPARE(positions(f), before);
        QCOMPARE(t.programEnds, 0);
    }

    void arrangement_data() { rows::add(kArrangements); }
    void arrangement()
    {
        const auto& [name, window, twips] = rows::fetch(kArrangements);
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.show();
        for (QSize size : {QSize(640, 480), window}) {
            f.window()->resize(size);
            QTRY_COMPARE(f.window()->size(), size);
        }
        QList<QPoint> expected;
        for (QPointF p : twips)
            expected << QPoint(ui::px(p.x()), ui::px(p.y()));
        QCOMPARE(positions(f), expected);
    }

    // The clicks and the window manager's close are the end-to-end scenarios' (on Wine too).
    void eachWayOfClosingEndsTheProgramOnce_data()
    {
        table<QString>({"how"}, {{"Space", "Space"}, {"Enter", "Enter"}, {"session", "session"}});
    }
    void eachWayOfClosingEndsTheProgramOnce()
    {
        QFETCH(QString, how);
        TestForms t;
        t.forms.frmTasselday().load();
        FrmDone& f = t.forms.frmDone();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QPointer<QWidget> window = f.window();
        // The X holds the focus: neither Tab nor a click elsewhere takes it away.
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
        QTest::mouseClick(f.controls().Label1, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.controls().cmdClose);
        if (how == "Space" || how == "Enter")
            QTest::keyClick(
                static_cast<QWidget*>(nullptr), how == "Space" ? Qt::Key_Space : Qt::Key_Return);
        else { // the session ends in the application's own event loop (the real timer)
            QTimer::singleShot(100, [] { QCoreApplication::exit(0); });
            QCOMPARE(QCoreApplication::exec(), 0);
        }
        QTRY_COMPARE(t.programEnds, 1);
        TestForms::flush();
        QCOMPARE(t.programEnds, 1);
        QVERIFY(window.isNull()); // and its timer with it: no tick after the end
        QVERIFY(t.forms.frmTasselday().isLoaded()); // ending is the celebration's own doing
    }

    // The tick that finds nothing left and the options dialog's jump take the same steps.
    void handsOverInOrderOnce_data()
    {
        table<bool>({"byJump"}, {{"last second", false}, {"jump", true}});
    }
    void handsOverInOrderOnce()
    {
        QFETCH(bool, byJump);
        TestForms t;
        t.clock.set(2006, 6, 4, 17, 59, 59);
        FrmTasselday& main = t.forms.frmTasselday();
        FrmDone& done = t.forms.frmDone();
        // What happened, in order, and whether the celebration showed by then.
        QStringList events;
        QObject watcher; // goes before the windows do
        auto note = [&](ui::Form& form, auto signal, const char* what) {
            form.show();
            connect(&form, signal, &watcher, [&, what] {
                events << QString(what)
                        + (done.window() && done.window()->isVisible() ? " shown" : "");
            });
        };
        note(main, &ui::Form::unloaded, "main unloaded");
        note(t.forms.frmAbout(), &ui::Form::unloaded, "about unloaded");
        note(t.forms.frmAdvOpt(), &ui::Form::unloaded, "options unloaded");
        connect(&done, &ui::Form::loaded, &watcher, [&] { events << "celebration loaded"; });
        QPointer<ui::DisplayBox> display = main.controls().txtDisplay;
        QPointer<ui::Label> percent = main.controls().lblSchoolCompleted;
        const QString lastPercent = percent->text();
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!"));
        main.intPercentDigits = 15; // so that any further write would show
        if (byJump)
            QTest::mouseClick(t.forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
        else
            t.clock.advanceSeconds(1), main.RefreshAllTimers();
        QCOMPARE(events,
            (QStringList {
                "celebration loaded", "about unloaded", "main unloaded", "options unloaded"}));
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!")); // nothing more written
        QCOMPARE(percent->text(), lastPercent);
        // Alone, full screen, for good: the closed windows go and none comes back.
        TestForms::flush();
        QVERIFY(display.isNull() && done.window()->isVisible());
        QTRY_COMPARE(done.window()->geometry(), screen());
        QVERIFY(!t.forms.frmAbout().isLoaded() && !t.forms.frmAdvOpt().isLoaded());
        QCOMPARE(events.size(), 4);
        QCOMPARE(t.programEnds, 0);
    }
};

QTEST_MAIN(CelebrationTest)
#include "test_celebration.moc"

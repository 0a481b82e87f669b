// The celebration window (colour cycle, arrangement, the X) and the hand-over that opens it.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

constexpr quint32 kNavy = 0x00800000, kDarkRed = 0x000000C0, kGreen = 0x00008000,
                  kOrange = 0x000080FF;

void tick(FrmDone& f) { QVERIFY(QMetaObject::invokeMethod(f.timer("timerBGColor"), "timeout")); }

// Shown, with the timer held still so that only the test's ticks count.
void showStill(FrmDone& f)
{
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window()));
    f.timer("timerBGColor")->stop();
}

void resizeTo(FrmDone& f, QSize pixels)
{
    f.window()->resize(pixels);
    QTRY_COMPARE(f.window()->size(), pixels);
}

QList<QRect> geometries(const FrmDone& f)
{
    QList<QRect> all;
    for (const char* name : {"Label1", "Label2", "Image1", "Image2", "Image3", "Image4", "cmdClose"})
        all << f.control<QWidget>(name)->geometry();
    return all;
}

} // namespace

class CelebrationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestForms> m_t;
    TestForms& t() { return *m_t; }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init() { m_t = std::make_unique<TestForms>(); }
    void cleanup() { m_t.reset(); }

    void loadedThenShown()
    {
        FrmDone& f = t().forms.frmDone();
        f.load();
        QWidget* w = f.window();
        QCOMPARE(w->windowTitle(), QStringLiteral("CONGRATULATIONS CLASS OF '06 !!!"));
        QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(w->windowType(), Qt::Tool); // no taskbar button
        QCOMPARE(f.backColor(), kNavy);
        QVERIFY(f.timer("timerBGColor")->isActive()); // from load, before the window is shown
        // The pictures unstretched inside a 2-pixel border, the right-hand ones mirrored.
        const QImage a = ui::bitmapA().toImage(), b = ui::bitmapB().toImage();
        const std::pair<const char*, QImage> pictures[] = {
            {"Image1", a}, {"Image2", a.mirrored(true, false)}, {"Image3", b}, {"Image4", b.mirrored(true, false)}};
        for (const auto& [name, expected] : pictures) {
            const QImage drawn = f.control<QWidget>(name)->grab().toImage();
            QVERIFY2(drawn.convertToFormat(expected.format()).copy(2, 2, 98, 97) == expected, name);
        }
        // Loaded at its restored size, centred and arranged for it; the X is its own colour.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QRect restored(0, 0, ui::px(12210), ui::px(9615));
        restored.moveCenter(screen.center());
        QCOMPARE(w->geometry(), restored);
        QCOMPARE(f.control<QWidget>("Label1")->pos(), QPoint(ui::px(-1895), ui::px(3120)));
        const QImage x = f.control<QWidget>("cmdClose")->grab().toImage();
        QCOMPARE(ui::toBgr(x.pixelColor(3, 3)), 0x00FF8080u);

        f.show();
        QTRY_COMPARE(w->geometry(), screen);
        QVERIFY(w->isMaximized());
        QCOMPARE(w->normalGeometry(), restored);
        QCOMPARE(f.control<QWidget>("cmdClose")->pos(),
                 QPoint(ui::px(ui::twips(screen.width()) - 240), ui::px(10)));
    }

    // Twips of Label1, Label2, Image1..4 and the X; nothing is clamped on a tiny window.
    void arrangement_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QList<QPointF>>("twips");
        QTest::newRow("15360 x 11520") << QSize(1024, 768)
            << QList<QPointF>{{-320, 4072.5}, {13305, 10865}, {960, 8853}, {12870, 8853},
                              {960, 1152}, {12870, 1152}, {15120, 10}};
        QTest::newRow("tiny") << QSize(20, 10)
            << QList<QPointF>{{-7850, -1612.5}, {-1755, -505}, {18.75, -1380},
                              {-1248.75, -1380}, {18.75, 15}, {-1248.75, 15}, {60, 10}};
    }
    void arrangement()
    {
        QFETCH(QSize, window);
        QFETCH(QList<QPointF>, twips);
        FrmDone& f = t().forms.frmDone();
        showStill(f);
        const auto before = geometries(f);
        resizeTo(f, QSize(640, 480));
        resizeTo(f, window);
        const auto pixels = geometries(f);
        for (int i = 0; i < pixels.size(); ++i)
            QCOMPARE(pixels[i], QRect(QPoint(ui::px(twips[i].x()), ui::px(twips[i].y())),
                                      before[i].size()));
    }

    // Four ticks come back to the start; ticks, resizes and stray clicks move nothing else.
    void colourCycle()
    {
        FrmDone& f = t().forms.frmDone();
        showStill(f);
        const auto pixels = geometries(f);
        for (quint32 colour : {kDarkRed, kGreen, kOrange, kNavy, kDarkRed, kGreen}) {
            tick(f);
            QCOMPARE(f.backColor(), colour);
        }
        QCOMPARE(geometries(f), pixels);
        const QImage shot = f.window()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(f.window()->width() / 2, 5)), ui::fromBgr(kGreen));

        resizeTo(f, QSize(700, 500));
        for (const char* name : {"Label1", "Image1", "Image4"})
            QTest::mouseDClick(f.control<QWidget>(name), Qt::LeftButton);
        QTest::mouseClick(f.window(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(f.control<ui::Label>("Label2"), Qt::RightButton);
        QCOMPARE(t().programEnds, 0);
        QCOMPARE(f.backColor(), kGreen);
        tick(f);
        QCOMPARE(f.backColor(), kOrange);
    }

    void eachWayOfClosingEndsTheProgramOnce_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"click X", "click small text", "Space", "Enter", "close", "system close"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void eachWayOfClosingEndsTheProgramOnce()
    {
        QFETCH(QString, how);
        t().forms.frmTasselday().load();
        FrmDone& f = t().forms.frmDone();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QPointer<QWidget> window = f.window();
        // The X holds the focus: neither Tab nor a click elsewhere takes it away.
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
        QTest::mouseClick(f.control<QWidget>("Label1"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("cmdClose"));
        if (how == "click X")
            QTest::mouseClick(f.control<ui::Button>("cmdClose"), Qt::LeftButton);
        else if (how == "click small text")
            QTest::mouseClick(f.control<ui::Label>("Label2"), Qt::LeftButton);
        else if (how == "Space" || how == "Enter")
            QTest::keyClick(static_cast<QWidget*>(nullptr), how == "Space" ? Qt::Key_Space : Qt::Key_Return);
        else if (how == "close")
            f.window()->close();
        else
            f.window()->windowHandle()->close();
        QTRY_COMPARE(t().programEnds, 1);
        TestForms::flush();
        QCOMPARE(t().programEnds, 1);
        QVERIFY(window.isNull()); // and its timer with it: no tick after the end
        QVERIFY(t().forms.frmTasselday().isLoaded()); // ending is the celebration's own doing
    }

    // A session that ends in the application's own event loop still closes the window.
    void theSessionsEndClosesTheWindow()
    {
        FrmDone& f = t().forms.frmDone();
        f.show();
        QTimer::singleShot(100, [] { QCoreApplication::exit(0); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(t().programEnds, 1);
        QVERIFY(!f.isLoaded());
    }

    // The tick that finds nothing left and the options dialog's jump take the same steps;
    // the countdown only looks at the time of day left, so the ceremony's hour recurs.
    void handsOverInOrderOnce_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("byJump");
        QTest::newRow("last second") << 4 << false;
        QTest::newRow("a day later") << 5 << false;
        QTest::newRow("jump") << 4 << true;
    }
    void handsOverInOrderOnce()
    {
        QFETCH(int, day);
        QFETCH(bool, byJump);
        t().clock.set(2006, 6, day, 17, 59, 59);
        FrmTasselday& main = t().forms.frmTasselday();
        FrmDone& done = t().forms.frmDone();
        main.show();
        t().forms.frmAbout().show();
        t().forms.frmAdvOpt().show();
        QPointer<ui::TextBox> display = main.control<ui::TextBox>("txtDisplay");
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!"));
        main.intPercentDigits = 15; // so that any further write would show

        // What happened, in order, with the ends so far and whether the celebration showed.
        QStringList events;
        QObject watcher; // goes before the windows do
        auto note = [&](const char* what) {
            return [&, what] {
                events << QStringLiteral("%1 %2 %3").arg(QLatin1String(what)).arg(t().programEnds)
                              .arg(done.window() && done.window()->isVisible());
            };
        };
        connect(&done, &ui::Form::loaded, &watcher, note("celebration loaded"));
        connect(&main, &ui::Form::unloaded, &watcher, note("main unloaded"));
        connect(&t().forms.frmAbout(), &ui::Form::unloaded, &watcher, note("about unloaded"));
        connect(&t().forms.frmAdvOpt(), &ui::Form::unloaded, &watcher, note("options unloaded"));
        QPointer<ui::Label> percent = main.control<ui::Label>("lblSchoolCompleted");
        const QString lastPercent = percent->text();
        if (byJump) {
            QTest::mouseClick(t().forms.frmAdvOpt().control<ui::Button>("cmdJump"), Qt::LeftButton);
        } else {
            t().clock.advanceSeconds(1);
            main.RefreshAllTimers();
        }
        QCOMPARE(events, (QStringList{"celebration loaded 0 0", "about unloaded 0 0",
                                      "main unloaded 0 0", "options unloaded 0 0"}));
        QCOMPARE(display->text(), QStringLiteral("1 Seconds!")); // nothing more written
        QCOMPARE(percent->text(), lastPercent);
        // Alone, full screen, for good: the closed windows go and none comes back.
        TestForms::flush();
        QVERIFY(display.isNull());
        QVERIFY(done.window()->isVisible());
        QTRY_COMPARE(done.window()->geometry(), QGuiApplication::primaryScreen()->geometry());
        QVERIFY(!main.isLoaded() && !t().forms.frmAbout().isLoaded() && !t().forms.frmAdvOpt().isLoaded());
        QCOMPARE(events.size(), 4);
        QCOMPARE(t().programEnds, 0);
    }
};

QTEST_MAIN(CelebrationTest)
#include "test_celebration.moc"

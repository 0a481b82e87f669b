// The celebration window: how it looks, its colour cycle, its arrangement and its ending.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

constexpr quint32 kNavy = 0x00800000, kDarkRed = 0x000000C0, kGreen = 0x00008000,
                  kOrange = 0x000080FF;

const char* const kPlaced[] = {"Label1", "Label2", "Image1", "Image2",
                               "Image3", "Image4", "cmdClose"};

// One tick of the window's own timer, through its real connection.
void tick(FrmDone& f)
{
    QVERIFY(QMetaObject::invokeMethod(f.timer("timerBGColor"), "timeout"));
}

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

// Pixel rectangles of the placed controls, in kPlaced order.
QList<QRect> geometries(const FrmDone& f)
{
    QList<QRect> all;
    for (const char* name : kPlaced)
        all << f.control<QWidget>(name)->geometry();
    return all;
}

} // namespace

class CelebrationTest : public QObject {
    Q_OBJECT

    std::function<void()> m_realEnd;
    std::unique_ptr<TestForms> m_t;
    TestForms& t() { return *m_t; }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // What ending does in the product, kept for the test that lets it happen.
        m_realEnd = ui::setProgramEndHandler({});
        ui::setProgramEndHandler(m_realEnd);
    }
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
        QCOMPARE(f.control<ui::Label>("Label1")->text(),
                 QStringLiteral("Congratulations Class of 2006 !!!"));
        QVERIFY(f.timer("timerBGColor")->isActive()); // from load, before the window is shown

        // The pictures unstretched inside a 2-pixel border, the right-hand ones mirrored.
        const QImage a = ui::bitmapA().toImage(), b = ui::bitmapB().toImage();
        QVERIFY(a != a.mirrored(true, false)); // otherwise mirroring could not be seen
        const std::pair<const char*, QImage> rows[] = {
            {"Image1", a}, {"Image2", a.mirrored(true, false)},
            {"Image3", b}, {"Image4", b.mirrored(true, false)}};
        for (const auto& [name, expected] : rows) {
            auto* pic = f.control<ui::Picture>(name);
            QCOMPARE(pic->size(), QSize(102, 101));
            const QImage drawn = pic->grab().toImage().convertToFormat(expected.format());
            QVERIFY2(drawn.copy(2, 2, 98, 97) == expected, name);
        }

        // Loaded at its restored size, centred, and shown covering the screen.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QRect restored(0, 0, ui::px(12210), ui::px(9615));
        restored.moveCenter(screen.center());
        QCOMPARE(f.window()->geometry(), restored);
        QVERIFY(!f.window()->isVisible());

        // Arranged at load for that size, which is narrower than the big label: half the
        // excess hangs over each side, so its text stays centred on the window.
        QCOMPARE(f.control<QWidget>("Label1")->pos(), QPoint(ui::px(-1895), ui::px(3120)));
        QCOMPARE(f.control<QWidget>("cmdClose")->pos(), QPoint(ui::px(11970), ui::px(10)));
        // The X's face is its own colour to the pixel, inside a plain two-pixel edge.
        const QImage x = f.control<QWidget>("cmdClose")->grab().toImage();
        for (const QPoint p : {QPoint(2, 2), QPoint(14, 2), QPoint(2, 14), QPoint(14, 14)})
            QCOMPARE(ui::toBgr(x.pixelColor(p)), 0x00FF8080u);

        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        QTRY_COMPARE(f.window()->geometry(), screen);
        QVERIFY(f.window()->isMaximized());
        QCOMPARE(f.window()->normalGeometry(), restored);
        // Shown means resized, and so arranged for the whole screen.
        QCOMPARE(f.control<QWidget>("cmdClose")->pos(),
                 QPoint(ui::px(ui::twips(screen.width()) - 240), ui::px(10)));
    }

    void arrangement_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QList<QPointF>>("twips");
        QTest::newRow("worked example 15360 x 11520")
            << QSize(1024, 768)
            << QList<QPointF>{{-320, 4072.5}, {13305, 10865}, {960, 8853}, {12870, 8853},
                              {960, 1152},   {12870, 1152},  {15120, 10}};
        // Far too small for the pictures and the labels, and nothing is clamped.
        QTest::newRow("tiny")
            << QSize(20, 10)
            << QList<QPointF>{{-7850, -1612.5}, {-1755, -505}, {18.75, -1380}, {-1248.75, -1380},
                              {18.75, 15},      {-1248.75, 15}, {60, 10}};
    }
    void arrangement()
    {
        QFETCH(QSize, window);
        QFETCH(QList<QPointF>, twips);
        FrmDone& f = t().forms.frmDone();
        showStill(f);
        const auto before = geometries(f);
        resizeTo(f, window);
        // On the nearest whole pixels (the X overhangs the right edge by one), sizes unchanged.
        const auto pixels = geometries(f);
        for (int i = 0; i < pixels.size(); ++i)
            QCOMPARE(pixels[i], QRect(QPoint(ui::px(twips[i].x()), ui::px(twips[i].y())),
                                      before[i].size()));

        // Arranging again, at the same size or after another, gives the same.
        QResizeEvent again(window, window);
        QCoreApplication::sendEvent(f.window(), &again);
        QCOMPARE(geometries(f), pixels);
        resizeTo(f, QSize(640, 480));
        resizeTo(f, window);
        QCOMPARE(geometries(f), pixels);
    }

    // Four ticks come back to the start; ticks move nothing; a resize leaves the cycle alone.
    void colourCycle()
    {
        FrmDone& f = t().forms.frmDone();
        showStill(f);
        QCOMPARE(f.backColor(), kNavy);
        const auto pixels = geometries(f);
        const quint32 sequence[] = {kDarkRed, kGreen, kOrange, kNavy,
                                    kDarkRed, kGreen, kOrange, kNavy, kDarkRed, kGreen};
        for (int i = 0; i < 10; ++i) {
            tick(f);
            QCOMPARE(f.backColor(), sequence[i]);
        }
        QCOMPARE(geometries(f), pixels);

        // What is on screen: the bare background, and through the big label beside its text.
        const QRect label1 = f.control<QWidget>("Label1")->geometry();
        const QImage shot = f.window()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(f.window()->width() / 2, 5)), ui::fromBgr(kGreen));
        QCOMPARE(QColor(shot.pixel(qMax(label1.left(), 0) + 2, label1.top() + 2)),
                 ui::fromBgr(kGreen));

        resizeTo(f, QSize(700, 500));
        QCOMPARE(f.backColor(), kGreen);
        tick(f);
        QCOMPARE(f.backColor(), kOrange);

        // Clicks anywhere but on the X and the small text do nothing, nor does a right click.
        const auto arranged = geometries(f);
        for (const char* name : {"Label1", "Image1", "Image2", "Image3", "Image4"}) {
            QTest::mouseClick(f.control<QWidget>(name), Qt::LeftButton);
            QTest::mouseDClick(f.control<QWidget>(name), Qt::LeftButton);
        }
        QTest::mouseClick(f.window(), Qt::LeftButton, {}, QPoint(f.window()->width() / 2, 5));
        QTest::mouseDClick(f.window(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(f.control<ui::Label>("Label2"), Qt::RightButton);
        QVERIFY(f.isLoaded());
        QCOMPARE(t().programEnds, 0);
        QCOMPARE(f.backColor(), kOrange);
        tick(f); // the cycle went on from where the last tick left it
        QCOMPARE(f.backColor(), kNavy);
        QCOMPARE(geometries(f), arranged);
    }

    void realTimerStepsEvery400ms()
    {
        FrmDone& f = t().forms.frmDone();
        QElapsedTimer clock;
        clock.start();
        f.load();
        QList<quint32> seen;
        QList<qint64> at;
        // Connected after the window's own handler, so it sees each tick's result.
        connect(f.timer("timerBGColor"), &QTimer::timeout, this, [&] {
            seen << f.backColor();
            at << clock.elapsed();
        });
        f.show();
        QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 4, 5000);
        QCOMPARE(seen.mid(0, 4), (QList<quint32>{kDarkRed, kGreen, kOrange, kNavy}));
        for (int i = 0; i < 4; ++i)
            QVERIFY2(at[i] >= 400 * (i + 1) - 5, qPrintable(QString::number(at[i])));
        QVERIFY2(at[3] < 3000, qPrintable(QString::number(at[3])));
    }

    void eachWayOfClosingEndsTheProgramOnce_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"click X", "click small text", "Space on X", "Enter on X",
                                "close request", "window system close"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void eachWayOfClosingEndsTheProgramOnce()
    {
        QFETCH(QString, how);
        // Ending is the celebration's own doing, not the last window's going.
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
        else if (how == "Space on X")
            QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);
        else if (how == "Enter on X")
            QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
        else if (how == "close request")
            f.window()->close();
        else
            f.window()->windowHandle()->close();

        QTRY_COMPARE(t().programEnds, 1);
        QVERIFY(!f.isLoaded());
        QTest::qWait(500);
        QCOMPARE(t().programEnds, 1);
        QVERIFY(window.isNull()); // and its timer with it: no tick after the end
        QVERIFY(t().forms.frmTasselday().isLoaded());
    }

    // In the application's own event loop, as the program runs: closing the window ends the
    // loop with status 0; a session that ends some other way still closes the window.
    void theRunEndsWithTheWindow_data()
    {
        QTest::addColumn<bool>("byX");
        QTest::newRow("X clicked") << true;
        QTest::newRow("session ended") << false;
    }
    void theRunEndsWithTheWindow()
    {
        QFETCH(bool, byX);
        if (byX)
            ui::setProgramEndHandler([&] {
                ++t().programEnds;
                m_realEnd();
            });
        FrmDone& f = t().forms.frmDone();
        f.show();
        QTimer::singleShot(100, &f, [&] {
            if (byX)
                QTest::mouseClick(f.control<ui::Button>("cmdClose"), Qt::LeftButton);
            else
                QCoreApplication::exit(0);
        });
        QTimer watchdog;
        watchdog.callOnTimeout([] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(t().programEnds, 1);
        QVERIFY(!f.isLoaded());
    }
};

QTEST_MAIN(CelebrationTest)
#include "test_celebration.moc"

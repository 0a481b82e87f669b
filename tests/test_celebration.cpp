// The celebration window: how it looks, its colour cycle, its arrangement and its ending.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
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

QHash<QString, QPointF> positions(const FrmDone& f)
{
    QHash<QString, QPointF> all;
    for (const char* name : kPlaced)
        all.insert(QString::fromLatin1(name), f.position(name));
    return all;
}

QHash<QString, QRect> geometries(const FrmDone& f)
{
    QHash<QString, QRect> all;
    for (const char* name : kPlaced)
        all.insert(QString::fromLatin1(name), f.control<QWidget>(name)->geometry());
    return all;
}

QRgb shownAt(const FrmDone& f, QPoint p) { return f.window()->grab().toImage().pixel(p); }

} // namespace

class CelebrationTest : public QObject {
    Q_OBJECT

    std::function<void()> m_realEnd;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // What ending does in the product, kept for the test that lets it happen.
        m_realEnd = ui::setProgramEndHandler({});
        ui::setProgramEndHandler(m_realEnd);
    }

    void windowAndControlsAsCreated()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.load();
        QWidget* w = f.window();
        QCOMPARE(w->windowTitle(), QStringLiteral("CONGRATULATIONS CLASS OF '06 !!!"));
        QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
        // A tool window has no taskbar button.
        QCOMPARE(w->windowType(), Qt::Tool);
        QCOMPARE(f.backColor(), kNavy);

        auto* label1 = f.control<ui::Label>("Label1");
        QCOMPARE(label1->text(), QStringLiteral("Congratulations Class of 2006 !!!"));
        QCOMPARE(label1->foreColor(), 0x00FF8080u);
        QCOMPARE(QFontInfo(label1->font()).family(), ui::installedFace(QStringLiteral("Arial")));
        QCOMPARE(label1->font().pixelSize(), 107);
        QVERIFY(label1->font().bold());
        QVERIFY(label1->wordWrap());
        QVERIFY(label1->alignment().testFlag(Qt::AlignHCenter));
        QCOMPARE(label1->size(), QSize(ui::px(16000), ui::px(3375)));

        auto* label2 = f.control<ui::Label>("Label2");
        QCOMPARE(label2->text(), QStringLiteral("Ok You Can Stop Now..."));
        QCOMPARE(label2->foreColor(), 0x00808080u);
        QVERIFY(label2->alignment().testFlag(Qt::AlignHCenter));
        QCOMPARE(label2->font().pixelSize(), 11);
        QVERIFY(!label2->font().bold());
        QCOMPARE(label2->size(), QSize(137, 17));
        // Both labels let the window's colour show around their letters.
        QVERIFY(!label1->autoFillBackground());
        QVERIFY(!label2->autoFillBackground());

        auto* close = f.control<ui::Button>("cmdClose");
        QCOMPARE(close->text(), QStringLiteral("X"));
        QCOMPARE(close->faceColor(), 0x00FF8080u);
        QVERIFY(close->font().bold());
        QCOMPARE(close->font().pixelSize(), 11);
        QCOMPARE(close->size(), QSize(17, 17));

        QTimer* timer = f.timer("timerBGColor");
        QCOMPARE(timer->interval(), 400);
        QVERIFY(timer->isActive()); // from load, before the window is shown
        f.unload();
    }

    void picturesUnstretchedRightHandOnesMirrored()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.load();
        const QImage a = ui::bitmapA().toImage();
        const QImage b = ui::bitmapB().toImage();
        QCOMPARE(a.size(), QSize(98, 97));
        QCOMPARE(b.size(), QSize(98, 97));
        QVERIFY(a != a.mirrored(true, false)); // otherwise mirroring could not be seen
        const struct {
            const char* name;
            QImage expected;
        } rows[] = {{"Image1", a},
                    {"Image2", a.mirrored(true, false)},
                    {"Image3", b},
                    {"Image4", b.mirrored(true, false)}};
        for (const auto& row : rows) {
            auto* pic = f.control<ui::Picture>(row.name);
            QVERIFY2(pic, row.name);
            QCOMPARE(pic->size(), QSize(102, 101));
            const QImage shown = pic->pixmap().toImage().convertToFormat(row.expected.format());
            QVERIFY2(shown == row.expected, row.name);
            // On screen: unstretched, inside a 2-pixel border.
            const QImage drawn = pic->grab().toImage().convertToFormat(row.expected.format());
            QCOMPARE(drawn.copy(2, 2, 98, 97), row.expected);
        }
        f.unload();
    }

    void loadedAtRestoredSizeShownCoveringTheScreen()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        f.load();
        QRect restored(0, 0, ui::px(12210), ui::px(9615));
        restored.moveCenter(screen.center());
        QCOMPARE(f.window()->geometry(), restored);
        QVERIFY(!f.window()->isVisible());

        // Arranged at load for that size, which is narrower than the big label: half the
        // excess hangs over each side, so its text stays centred on the window.
        QCOMPARE(f.position("Label1"), QPointF(-1895, 3120));
        QCOMPARE(f.position("cmdClose"), QPointF(11970, 10));
        auto* label1 = f.control<QWidget>("Label1");
        QVERIFY(qAbs(label1->geometry().center().x() - f.window()->rect().center().x()) <= 1);

        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        QTRY_COMPARE(f.window()->geometry(), screen);
        QVERIFY(f.window()->isMaximized());
        QCOMPARE(f.window()->normalGeometry(), restored);
        // Shown means resized, and so arranged for the whole screen.
        QCOMPARE(f.position("cmdClose"), QPointF(ui::twips(screen.width()) - 240, 10));
        f.unload();
    }

    void xHoldsTheFocusAndNothingElseTakesIt()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        auto* close = f.control<ui::Button>("cmdClose");
        QCOMPARE(QApplication::focusWidget(), close);
        for (const char* name : {"Label1", "Label2", "Image1", "Image2", "Image3", "Image4"})
            QCOMPARE(f.control<QWidget>(name)->focusPolicy(), Qt::NoFocus);
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), close);
        QTest::mouseClick(f.control<QWidget>("Label1"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), close);
        f.unload();
    }

    void arrangementAtTheWorkedExample()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        resizeTo(f, QSize(1024, 768));
        QCOMPARE(f.outerWidth(), 15360.0);
        QCOMPARE(f.outerHeight(), 11520.0);
        QCOMPARE(f.position("Label1"), QPointF(-320, 4072.5));
        QCOMPARE(f.position("Label2"), QPointF(13305, 10865));
        QCOMPARE(f.position("Image1"), QPointF(960, 8853));
        QCOMPARE(f.position("Image2"), QPointF(12870, 8853));
        QCOMPARE(f.position("Image3"), QPointF(960, 1152));
        QCOMPARE(f.position("Image4"), QPointF(12870, 1152));
        QCOMPARE(f.position("cmdClose"), QPointF(15120, 10));

        // The widgets stand on the nearest whole pixels.
        QCOMPARE(f.control<QWidget>("Label1")->pos(), QPoint(-21, 272));
        QCOMPARE(f.control<QWidget>("Label2")->geometry(), QRect(887, 724, 137, 17));
        QCOMPARE(f.control<QWidget>("Image1")->pos(), QPoint(64, 590));
        QCOMPARE(f.control<QWidget>("Image2")->geometry().right(), 1024 - 64 - 1);
        QCOMPARE(f.control<QWidget>("Image4")->pos(), QPoint(858, 77));
        const QRect x = f.control<QWidget>("cmdClose")->geometry();
        QCOMPARE(x.topLeft(), QPoint(1008, 1));
        // One pixel of the button lies beyond the window's right edge.
        QCOMPARE(x.right() - f.window()->rect().right(), 1);
        f.unload();
    }

    void arrangementIsNotClamped()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        // 20 x 10 pixels: far too small for the pictures and the labels.
        resizeTo(f, QSize(20, 10));
        QCOMPARE(f.position("Label1"), QPointF(-7850, -1612.5));
        QCOMPARE(f.position("Label2"), QPointF(-1755, -505));
        QCOMPARE(f.position("Image1"), QPointF(18.75, -1380));
        QCOMPARE(f.position("Image2"), QPointF(-1248.75, -1380));
        QCOMPARE(f.position("Image3"), QPointF(18.75, 15));
        QCOMPARE(f.position("Image4"), QPointF(-1248.75, 15));
        QCOMPARE(f.position("cmdClose"), QPointF(60, 10));
        QCOMPARE(f.control<QWidget>("Image2")->pos(), QPoint(-83, -92));
        // Sizes never change, whatever the window.
        QCOMPARE(f.control<QWidget>("Image2")->size(), QSize(102, 101));
        QCOMPARE(f.control<QWidget>("Label1")->size(), QSize(1067, 225));
        f.unload();
    }

    void arrangingAgainGivesTheSame()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        resizeTo(f, QSize(1000, 700));
        const auto first = positions(f);
        const auto firstPixels = geometries(f);
        QResizeEvent again(f.window()->size(), f.window()->size());
        QCoreApplication::sendEvent(f.window(), &again);
        QCOMPARE(positions(f), first);
        QCOMPARE(geometries(f), firstPixels);
        resizeTo(f, QSize(640, 480));
        QVERIFY(positions(f) != first);
        resizeTo(f, QSize(1000, 700));
        QCOMPARE(positions(f), first);
        QCOMPARE(geometries(f), firstPixels);
        f.unload();
    }

    void colourCycle()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        QCOMPARE(f.colorStep(), qint16(1));
        QCOMPARE(f.backColor(), kNavy);
        const quint32 sequence[] = {kDarkRed, kGreen, kOrange, kNavy, kDarkRed, kGreen};
        const qint16 steps[] = {2, 3, 4, 1, 2, 3};
        for (int i = 0; i < 6; ++i) {
            tick(f);
            QCOMPARE(f.backColor(), sequence[i]);
            QCOMPARE(f.colorStep(), steps[i]);
        }
        // What is on screen: the bare background, and through the transparent big label
        // beside its text.
        const QPoint bare(f.window()->width() / 2, 5);
        const QRect label1 = f.control<QWidget>("Label1")->geometry();
        const QPoint besideText(qMax(label1.left(), 0) + 2, label1.top() + 2);
        QCOMPARE(QColor(shownAt(f, bare)), ui::vbColor(kGreen));
        QCOMPARE(QColor(shownAt(f, besideText)), ui::vbColor(kGreen));
        f.unload();
    }

    void fourTicksComeBackAndNothingMoves()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        const auto placed = positions(f);
        const auto pixels = geometries(f);
        for (int start = 0; start < 4; ++start) {
            const quint32 colour = f.backColor();
            const qint16 step = f.colorStep();
            for (int i = 0; i < 4; ++i)
                tick(f);
            QCOMPARE(f.backColor(), colour);
            QCOMPARE(f.colorStep(), step);
            tick(f);
        }
        QCOMPARE(positions(f), placed);
        QCOMPARE(geometries(f), pixels);
        f.unload();
    }

    void resizeLeavesTheCycleAlone()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        tick(f);
        tick(f);
        resizeTo(f, QSize(700, 500));
        QCOMPARE(f.backColor(), kGreen);
        QCOMPARE(f.colorStep(), qint16(3));
        tick(f);
        QCOMPARE(f.backColor(), kOrange);
        f.unload();
    }

    void realTimerStepsEvery400ms()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
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
        QCOMPARE(f.backColor(), kNavy);
        QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 4, 5000);
        QCOMPARE(seen.mid(0, 4), (QList<quint32>{kDarkRed, kGreen, kOrange, kNavy}));
        for (int i = 0; i < 4; ++i)
            QVERIFY2(at[i] >= 400 * (i + 1) - 5, qPrintable(QString::number(at[i])));
        f.unload();
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
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QPointer<QWidget> window = f.window();
        auto* close = f.control<ui::Button>("cmdClose");
        if (how == "click X")
            QTest::mouseClick(close, Qt::LeftButton);
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

        QTRY_COMPARE(t.programEnds, 1);
        QVERIFY(!f.isLoaded());
        const qint16 step = f.colorStep();
        QTest::qWait(500);
        QCOMPARE(t.programEnds, 1);
        QCOMPARE(f.colorStep(), step); // no tick after the end
        QVERIFY(window.isNull());
    }

    void closingEndsTheProgramEvenWithAnotherWindowLoaded()
    {
        TestForms t;
        t.forms.frmTasselday().show();
        FrmDone& f = t.forms.frmDone();
        f.show();
        QTest::mouseClick(f.control<ui::Button>("cmdClose"), Qt::LeftButton);
        QCOMPARE(t.programEnds, 1);
        QVERIFY(ui::anyFormLoaded());
    }

    void clicksElsewhereDoNothing()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        showStill(f);
        tick(f);
        const auto placed = positions(f);
        for (const char* name : {"Label1", "Image1", "Image2", "Image3", "Image4"}) {
            QWidget* c = f.control<QWidget>(name);
            QTest::mouseClick(c, Qt::LeftButton);
            QTest::mouseDClick(c, Qt::LeftButton);
        }
        QTest::mouseClick(f.window(), Qt::LeftButton, {}, QPoint(f.window()->width() / 2, 5));
        QTest::mouseDClick(f.window(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.isLoaded());
        QCOMPARE(t.programEnds, 0);
        QCOMPARE(f.colorStep(), qint16(2));
        QCOMPARE(f.backColor(), kDarkRed);
        QCOMPARE(positions(f), placed);
        // A right click on the small text is no click either.
        QTest::mouseClick(f.control<ui::Label>("Label2"), Qt::RightButton);
        QVERIFY(f.isLoaded());
        f.unload();
    }

    // The last two run the application's own event loop, as the program does.
    void closingEndsTheEventLoopWithStatusZero()
    {
        TestForms t;
        ui::setProgramEndHandler([&] {
            ++t.programEnds;
            m_realEnd();
        });
        FrmDone& f = t.forms.frmDone();
        f.show();
        QTimer::singleShot(100, &f, [&] {
            QTest::mouseClick(f.control<ui::Button>("cmdClose"), Qt::LeftButton);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        const int status = QCoreApplication::exec();
        watchdog.stop();
        QCOMPARE(status, 0);
        QCOMPARE(t.programEnds, 1);
        QVERIFY(!f.isLoaded());
    }

    void endOfSessionClosesTheWindow()
    {
        TestForms t;
        FrmDone& f = t.forms.frmDone();
        f.show();
        // Something other than the window ends the run, as logging off does.
        QTimer::singleShot(100, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        QVERIFY(!f.isLoaded());
        QCOMPARE(t.programEnds, 1);
    }
};

QTEST_MAIN(CelebrationTest)
#include "test_celebration.moc"

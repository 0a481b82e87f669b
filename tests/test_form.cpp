// The window layer every window stands on: lifecycle, events, units, fonts, controls.
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

namespace {

const ui::WindowLayout kWindow = {.caption = "Probe", .clientWidth = 3000, .clientHeight = 1500,
                                .back = ui::colors::Navy, .frame = ui::Frame::FixedSingle};

const ui::ControlRow kControls[] = {
    {.kind = ui::Kind::Label, .name = "lblProbe", .text = "Probe", .left = 150, .top = 150,
     .width = 1500, .height = 300, .fore = ui::colors::LightBlue},
    {.kind = ui::Kind::TextBox, .name = "txtProbe", .left = 150, .top = 600, .width = 1500,
     .height = 300, .typedLimit = 2},
    {.kind = ui::Kind::Line, .name = "Line1", .left = 0, .top = 1200, .width = 3000,
     .height = 1200, .fore = ui::colors::Red, .lineWidth = 2},
    {.kind = ui::Kind::Timer, .name = "timerProbe", .interval = 20},
};

// A small window that records what happens to it.
class ProbeForm : public ui::Form {
public:
    ProbeForm() : ui::Form(kWindow, kControls) {}
    int loads = 0, unloads = 0, backgroundMoves = 0, ticks = 0;
    QString remembered; // a form-level value

protected:
    void bindControls() override
    {
        connect(timer("timerProbe"), &QTimer::timeout, this, [this] { ++ticks; });
    }
    void Form_Load() override
    {
        ++loads;
        // Controls already exist when the load handler runs.
        QVERIFY(control<ui::Label>("lblProbe"));
        remembered += QStringLiteral("x");
    }
    void Form_Unload() override { ++unloads; }
    void Form_MouseMove() override { ++backgroundMoves; }
};

} // namespace

class FormTest : public QObject {
    Q_OBJECT

    int m_ends = 0;
    std::function<void()> m_previous;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        m_previous = ui::setProgramEndHandler([this] { ++m_ends; });
    }
    void cleanupTestCase() { ui::setProgramEndHandler(m_previous); }
    void init() { m_ends = 0; }

    void loadShowUnloadLifecycle()
    {
        ProbeForm f;
        QVERIFY(!f.isLoaded());
        f.load();
        f.load();
        QCOMPARE(f.loads, 1);
        QVERIFY(!f.window()->isVisible());
        QCOMPARE(f.window()->size(), QSize(200, 100));
        f.show();
        QWidget* first = f.window();
        f.show();
        QCOMPARE(f.window(), first);
        QCOMPARE(f.loads, 1);

        QPointer<QWidget> gone = f.window();
        f.unload();
        QCOMPARE(f.unloads, 1);
        QVERIFY(!f.isLoaded());
        QVERIFY(!f.control<ui::Label>("lblProbe"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull());
        f.unload();
        QCOMPARE(f.unloads, 1);

        // Controls come back fresh; the form's own values stay.
        f.show();
        QCOMPARE(f.loads, 2);
        QCOMPARE(f.remembered, QStringLiteral("xx"));
        f.unload();
    }

    void programEndsWhenTheLastWindowGoes()
    {
        ProbeForm a, b;
        a.show();
        b.load(); // loaded but never shown still counts
        a.unload();
        QCOMPARE(m_ends, 0);
        b.unload();
        QCOMPARE(m_ends, 1);
    }

    void closeUnloads()
    {
        ProbeForm f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        // A log-off closes even a window that waits on a dialog.
        f.setEnabled(false);
        f.window()->close();
        QVERIFY(!f.isLoaded());
        QCOMPARE(f.unloads, 1);
        // Enabling an unloaded window does not bring it back.
        f.setEnabled(true);
        QVERIFY(!f.isLoaded());
    }

    void timersRunFromLoadToUnloadEvenWhenDisabled()
    {
        ProbeForm f;
        f.load();
        f.setEnabled(false);
        QTRY_VERIFY_WITH_TIMEOUT(f.ticks >= 3, 2000);
        QCOMPARE(f.timer("timerProbe")->timerType(), Qt::PreciseTimer);
        f.unload();
        const int at = f.ticks;
        QTest::qWait(100);
        QCOMPARE(f.ticks, at);
    }

    void pointerMovesReachTheWindowOnlyOverBackground()
    {
        ProbeForm f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        auto* label = f.control<ui::Label>("lblProbe");
        int labelMoves = 0;
        connect(label, &ui::Label::mouseMoved, this, [&] { ++labelMoves; });
        QTest::mouseMove(f.window(), label->geometry().center());
        QCOMPARE(labelMoves, 1);
        QCOMPARE(f.backgroundMoves, 0);
        QTest::mouseMove(f.window(), f.control<ui::TextBox>("txtProbe")->geometry().center());
        QCOMPARE(f.backgroundMoves, 0);
        // A line is part of the background as far as the pointer is concerned.
        QTest::mouseMove(f.window(), QPoint(100, ui::px(1200)));
        QCOMPARE(f.backgroundMoves, 1);
        QTest::mouseMove(f.window(), QPoint(180, 5));
        QCOMPARE(f.backgroundMoves, 2);
        f.unload();
    }

    void labelClickAndDoubleClick()
    {
        ProbeForm f;
        f.show();
        auto* label = f.control<ui::Label>("lblProbe");
        int clicks = 0, doubles = 0;
        connect(label, &ui::Label::clicked, this, [&] { ++clicks; });
        connect(label, &ui::Label::doubleClicked, this, [&] { ++doubles; });
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QTest::mouseDClick(label, Qt::LeftButton);
        QCOMPARE(doubles, 1);
        QVERIFY(clicks <= 2); // the double-click's own release is no extra click
        QTest::mouseClick(label, Qt::RightButton);
        QVERIFY(clicks <= 2);
        f.unload();
    }

    // Limit 2. However the user's text arrives, what goes beyond the limit is cut off the
    // end of it; what the program put in stays whole.
    void typedLimitCutsTheUsersTextToFit_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QString>("after");
        QTest::newRow("typing") << "type" << "" << false << "123" << "12";
        QTest::newRow("typing over all") << "type" << "12" << true << "9" << "9";
        QTest::newRow("paste") << "paste" << "9" << false << "456" << "94";
        QTest::newRow("paste over all") << "paste" << "12" << true << "345" << "34";
        QTest::newRow("drop") << "drop" << "1" << false << "789" << "17";
        QTest::newRow("input method") << "im" << "" << false << "456" << "45";
        QTest::newRow("typing into longer program text")
            << "type" << "12345" << false << "6" << "12345";
    }
    void typedLimitCutsTheUsersTextToFit()
    {
        QFETCH(QString, way);
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(QString, incoming);
        ProbeForm f;
        f.show();
        auto* box = f.control<ui::TextBox>("txtProbe");
        box->setText(before);
        QCOMPARE(box->text(), before); // the program's text is never cut
        box->setFocus();
        box->end(false);
        if (selectAll)
            box->selectAll();
        if (way == "type") {
            QTest::keyClicks(box, incoming);
        } else if (way == "paste") {
            QApplication::clipboard()->setText(incoming);
            QTest::keySequence(box, QKeySequence::Paste);
        } else if (way == "drop") {
            QMimeData data;
            data.setText(incoming);
            const QPoint at(box->width() - 2, box->height() / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &drop);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(incoming);
            QCoreApplication::sendEvent(box, &commit);
        }
        QTEST(box->text(), "after");
        f.unload();
    }

    // A graphical button: a flat face in exactly its colour, a plain edge, raised or sunken.
    void buttonFaceIsItsOwnColour_data()
    {
        QTest::addColumn<bool>("down");
        QTest::addColumn<QColor>("topLeft");
        QTest::addColumn<QColor>("bottomRight");
        QTest::newRow("raised") << false << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("pressed") << true << QColor(Qt::black) << QColor(Qt::white);
    }
    void buttonFaceIsItsOwnColour()
    {
        QFETCH(bool, down);
        ui::Button b;
        b.setText(QStringLiteral("&Apply"));
        b.setFaceColor(0x0080FF80);
        b.resize(90, 25);
        b.setDown(down);
        const QImage shot = b.grab().toImage();
        QTEST(shot.pixelColor(0, 0), "topLeft");
        QTEST(shot.pixelColor(89, 24), "bottomRight");
        for (const QPoint p : {QPoint(4, 4), QPoint(4, 20), QPoint(85, 12)})
            QCOMPARE(shot.pixelColor(p), ui::fromBgr(0x0080FF80));
    }

    // Disabled, a window refuses input but keeps its look.
    void disabledWindowKeepsItsLookAndTakesNoInput()
    {
        ProbeForm f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        auto* box = f.control<ui::TextBox>("txtProbe");
        box->setFocus();
        const QImage look = f.window()->grab().toImage();
        f.setEnabled(false);
        QVERIFY(!f.enabled());
        QCOMPARE(f.window()->grab().toImage(), look);
        QTest::keyClicks(box, QStringLiteral("7"));
        QTest::mouseMove(f.window(), QPoint(180, 5));
        QCOMPARE(box->text(), QString());
        QCOMPARE(f.backgroundMoves, 0);
        f.setEnabled(true);
        QTest::keyClicks(box, QStringLiteral("7"));
        QCOMPARE(box->text(), QStringLiteral("7"));
        f.unload();
    }

    void progressBarKeepsFractions()
    {
        ui::ProgressBar bar;
        bar.setPercent(71.36702f);
        QCOMPARE(bar.percent(), 71.36702f);
        QCOMPARE(bar.value(), 71367020);
        bar.setPercent(0.5f);
        QVERIFY(bar.value() > bar.minimum());
        bar.setPercent(-3.0f);
        QCOMPARE(bar.value(), 0);
        bar.setPercent(140.0f);
        QCOMPARE(bar.value(), bar.maximum());
    }

    void unitsAndColours()
    {
        QCOMPARE(ui::px(6240), 416);
        QCOMPARE(ui::px(2130), 142);
        QCOMPARE(ui::px(1530), 102);
        QCOMPARE(ui::px(7), 0);
        QCOMPARE(ui::px(8), 1);
        QCOMPARE(ui::twips(416), 6240.0);
        QCOMPARE(ui::fromBgr(0x00FF8080), QColor(128, 128, 255));
        QCOMPARE(ui::fromBgr(0x000080FF), QColor(255, 128, 0));
        QCOMPARE(ui::toBgr(QColor(0, 0, 192)), 0x00C00000u);
    }

    void everyLayoutFaceResolvesToAnInstalledFace_data()
    {
        QTest::addColumn<QString>("face");
        for (const char* face : {"Arial", "Courier New", "MS Sans Serif", "Matisse ITC",
                                 "Copperplate Gothic Bold", "Westminster"})
            QTest::newRow(face) << QString::fromLatin1(face);
    }

    void everyLayoutFaceResolvesToAnInstalledFace()
    {
        QFETCH(QString, face);
        const QByteArray latin = face.toLatin1();
        const QFont font = ui::makeFont({latin.constData(), 12.75, 700, true, true});
        const QFontInfo info(font);
        QCOMPARE(info.family(), ui::installedFace(face));
        QCOMPARE(font.pixelSize(), 17);
        QVERIFY(font.bold());
        QVERIFY(font.italic());
        QVERIFY(font.underline());
        QCOMPARE(ui::makeFont({latin.constData(), 8.25}).pixelSize(), 11);
    }
};

QTEST_MAIN(FormTest)
#include "test_form.moc"

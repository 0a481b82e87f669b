// Where each window stands, frames included, on a desktop whose primary screen is not the
// leftmost one; run once as it is and once at twice the scale on a screen twice the size.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/displayplatform.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

class PlacementTest : public QObject {
    Q_OBJECT

    static QRect primary() { return QGuiApplication::primaryScreen()->geometry(); }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QVERIFY(primary().x() > 0); // the primary screen is the right-hand one
    }

    void everyWindowInItsPlaceOnThePrimaryScreen()
    {
        TestForms t;
        FrmTasselday& main = t.forms.frmTasselday();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(main.window()));
        // The frame, not only the client area, touches the top and right edges.
        QVERIFY(main.window()->frameGeometry() != main.window()->geometry());
        QTRY_COMPARE(main.window()->frameGeometry().topRight(), primary().topRight());
        QCOMPARE(main.window()->size(), QSize(416, 142));

        t.forms.frmAbout().show();
        QWidget* about = t.forms.frmAbout().window();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTRY_COMPARE(about->geometry().topLeft(), primary().topLeft() + QPoint(156, 129));

        for (int i = 0; i < 3; ++i)
            QTest::mouseDClick(main.control<QWidget>("lblSet"), Qt::LeftButton);
        QWidget* options = t.forms.frmAdvOpt().window();
        QVERIFY(options && QTest::qWaitForWindowExposed(options));
        QTRY_VERIFY((options->frameGeometry().center() - primary().center()).manhattanLength()
                    <= 1);

        QTest::mouseClick(t.forms.frmAdvOpt().control<QWidget>("cmdJump"), Qt::LeftButton);
        QWidget* done = t.forms.frmDone().window();
        QVERIFY(QTest::qWaitForWindowExposed(done));
        QTRY_COMPARE(done->geometry(), primary());
    }

    // Under Wayland with XWayland, X11 is chosen unless the user chose a platform. Each
    // row: QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY, a -platform argument.
    void x11UnderWaylandOnlyWhenNobodyChose_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<bool>("x11");
        QTest::newRow("Wayland and XWayland") << QStringList{"", "wayland-0", ":0", ""} << true;
        QTest::newRow("no XWayland") << QStringList{"", "wayland-0", "", ""} << false;
        QTest::newRow("plain X11") << QStringList{"", "", ":0", ""} << false;
        QTest::newRow("variable set") << QStringList{"wayland", "wayland-0", ":0", ""} << false;
        QTest::newRow("argument given") << QStringList{"", "wayland-0", ":0", "-platform"} << false;
    }
    void x11UnderWaylandOnlyWhenNobodyChose()
    {
        QFETCH(QStringList, given);
        const QHash<QByteArray, QByteArray> env = {{"QT_QPA_PLATFORM", given[0].toLatin1()},
            {"WAYLAND_DISPLAY", given[1].toLatin1()}, {"DISPLAY", given[2].toLatin1()}};
        const QList<QByteArray> args = given[3].isEmpty() ? QList<QByteArray>()
                                                          : QList<QByteArray>{"-platform", "wayland"};
        QTEST(ui::shouldUseX11(args, [&](const char* name) { return env.value(name); }), "x11");
    }
};

int main(int argc, char** argv)
{
    // Two screens side by side, the primary on the right and lower one on the left; a
    // scale factor of 2 gets screens twice the size, so the logical desktop stays the same.
    const int scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
        ? qEnvironmentVariableIntValue("QT_SCALE_FACTOR") : 1;
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    // The offscreen platform adds its screens in the order of their names, and the first
    // one added is the primary one.
    config.write(QStringLiteral(R"({"windowFrameMargins": true, "screens": [
        {"name": "1-right-primary", "x": %1, "y": 0, "width": %2, "height": %3,
         "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "2-left", "x": 0, "y": %4, "width": %1, "height": %5,
         "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                     .arg(800 * scale).arg(1024 * scale).arg(768 * scale).arg(100 * scale)
                     .arg(600 * scale)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    PlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_placement.moc"

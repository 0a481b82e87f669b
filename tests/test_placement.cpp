// Where each window stands, frames included, on a desktop whose primary screen is not the
// leftmost one; run once as it is and once at twice the scale on a screen twice the size.
#include "support/testforms.h"
#include "ui/displayplatform.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowInItsPlaceOnThePrimaryScreen()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(QGuiApplication::screens().size() == 2 && primary.x() > 0); // primary on the right
        TestForms t;
        const auto shown = [](ui::Form& f) {
            f.show();
            return QTest::qWaitForWindowExposed(f.window()) ? f.window() : nullptr;
        };
        QWidget* main = shown(t.forms.frmTasselday());
        // The frame, not only the client area, touches the top and right edges.
        QVERIFY(main && main->frameGeometry() != main->geometry());
        QTRY_COMPARE(main->frameGeometry().topRight(), primary.topRight());
        QCOMPARE(main->size(), QSize(416, 142));
        QWidget* about = shown(t.forms.frmAbout());
        QTRY_COMPARE(about->geometry().topLeft(), primary.topLeft() + QPoint(156, 129));
        for (int i = 0; i < 3; ++i)
            QTest::mouseDClick(t.forms.frmTasselday().control<QWidget>("lblSet"), Qt::LeftButton);
        QWidget* options = shown(t.forms.frmAdvOpt());
        QTRY_VERIFY((options->frameGeometry().center() - primary.center()).manhattanLength() <= 1);
        QTest::mouseClick(t.forms.frmAdvOpt().control<QWidget>("cmdJump"), Qt::LeftButton);
        QTRY_COMPARE(shown(t.forms.frmDone())->geometry(), primary);
    }

    // Under Wayland with XWayland, X11 is chosen unless the user chose a platform. Each
    // row: QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY, a -platform argument.
    void x11UnderWaylandOnlyWhenNobodyChose_data()
    {
        QTest::addColumn<QByteArrayList>("given");
        QTest::addColumn<bool>("x11");
        QTest::newRow("Wayland and XWayland") << QByteArrayList {"", "wayland-0", ":0", ""} << true;
        QTest::newRow("no XWayland") << QByteArrayList {"", "wayland-0", "", ""} << false;
        QTest::newRow("plain X11") << QByteArrayList {"", "", ":0", ""} << false;
        QTest::newRow("variable set") << QByteArrayList {"wayland", "wayland-0", ":0", ""} << false;
        QTest::newRow("argument") << QByteArrayList {"", "wayland-0", ":0", "-platform"} << false;
    }
    void x11UnderWaylandOnlyWhenNobodyChose()
    {
        QFETCH(QByteArrayList, given);
        const QHash<QByteArray, QByteArray> env
            = {{"QT_QPA_PLATFORM", given[0]}, {"WAYLAND_DISPLAY", given[1]}, {"DISPLAY", given[2]}};
        const QByteArrayList args
            = given[3].isEmpty() ? QByteArrayList() : QByteArrayList {given[3], "wayland"};
        QTEST(ui::shouldUseX11(args, [&](const char* name) { return env.value(name); }), "x11");
    }
};

int main(int argc, char** argv)
{
    // Two screens side by side, the primary on the right and lower one on the left; at a scale
    // factor of 2 they are twice the size, so the logical desktop stays the same. The
    // offscreen platform adds its screens in the order of their names, the first as primary.
    const int k = qMax(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
    // In the working folder, named without a drive: the platform's parameters are separated
    // by colons.
    QTemporaryFile config(QStringLiteral("screens-XXXXXX.json"));
    const QString screen = QStringLiteral(R"({"name": "%1", "x": %2, "y": %3, "width": %4,
        "height": %5, "logicalDpi": 96, "logicalBaseDpi": 96})");
    if (!config.open()
        || !config.write(
            QStringLiteral(R"({"windowFrameMargins": true, "screens": [%1, %2]})")
                .arg(screen.arg("1-right-primary").arg(800 * k).arg(0).arg(1024 * k).arg(768 * k),
                    screen.arg("2-left").arg(0).arg(100 * k).arg(800 * k).arg(600 * k))
                .toUtf8()))
        return 1;
    config.flush();
    qputenv("QT_QPA_PLATFORM",
        "offscreen:configfile=" + QDir::current().relativeFilePath(config.fileName()).toLocal8Bit());
    QApplication app(argc, argv);
    PlacementTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_placement.moc"

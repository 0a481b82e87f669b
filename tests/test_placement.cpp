// Where each window stands, frames included, on a desktop whose primary screen is not the
// leftmost one (run once as it is and once at twice the scale on a screen twice the size);
// and which display the program opens.
#include "support/rows.h"
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

    // Which display the program opens: unset variables are "-", answering lists the displays
    // that answer; the platform asked for, empty to keep the user's, or "!" and the reason.
    void displayChoice_data()
    {
        table<QByteArrayList, QByteArrayList, QByteArrayList, QString>(
            {"QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY", "args", "answering", "chosen"},
            {{"Wayland and XWayland", {"-", ":0", "wl"}, {}, {":0", "wl"}, "xcb"},
                {"XWayland gone", {"-", ":0", "wl"}, {}, {"wl"}, "wayland"},
                {"only Wayland", {"-", "-", "wl"}, {}, {"wl"}, "wayland"},
                {"plain X11", {"-", ":0", "-"}, {}, {":0"}, "xcb"},
                {"-display argument", {"-", "-", "-"}, {"-display", ":5"}, {":5"}, "xcb"},
                {"platform chosen", {"wayland", ":0", "wl"}, {}, {":0", "wl"}, ""},
                {"platform argument", {"-", ":0", "wl"}, {"-platform", "wayland"}, {":0", "wl"},
                    ""},
                {"no display needed", {"offscreen", "-", "-"}, {}, {}, ""},
                {"no variable", {"-", "-", "-"}, {}, {},
                    "!DISPLAY is not set; WAYLAND_DISPLAY is not set"},
                {"empty DISPLAY", {"-", "", "-"}, {}, {}, "!DISPLAY is empty"},
                {"X11 gone", {"-", ":9", "-"}, {}, {}, "!the X display \":9\" does not answer"},
                {"chosen X11 gone", {"xcb", ":9", "wl"}, {}, {"wl"}, "!\":9\" does not answer"},
                {"Wayland gone", {"-", "-", "wl"}, {}, {},
                    "!the Wayland display \"wl\" does not answer"}});
    }
    void displayChoice()
    {
        const auto given = cell<QByteArrayList>("QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY");
        const auto answering = cell<QByteArrayList>("answering");
        const auto answers = [&](const QByteArray& name) { return answering.contains(name); };
        const ui::DisplayChoice choice = ui::chooseDisplay(cell<QByteArrayList>("args"),
            {[&](const char* name) -> std::optional<QByteArray> {
                 const QByteArray v = given.value(
                     QByteArrayList {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}.indexOf(name),
                     "-");
                 return v == "-" ? std::nullopt : std::optional(v);
             },
                answers, answers});
        const QString chosen = cell<QString>("chosen");
        if (chosen.startsWith('!'))
            QVERIFY2(choice.error.contains(chosen.mid(1)), qPrintable(choice.error));
        else
            QCOMPARE(choice.platform + choice.error.toUtf8(), chosen.toUtf8());
    }
};

int main(int argc, char** argv)
{
    // Two screens side by side, the primary on the right and lower one on the left; at a scale
    // factor of 2 they are twice the size, so the logical desktop stays the same. The
    // offscreen platform adds its screens in the order of their names, the first as primary.
    const int k = qMax(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));
    QTemporaryFile config;
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
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    PlacementTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_placement.moc"

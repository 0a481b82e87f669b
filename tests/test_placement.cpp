// Where each window stands, frames included: on a desktop whose primary screen is not the
// leftmost one (run once as it is and once at twice the scale on screens twice the size), flush
// to the device pixel at fractional scales, and again once the screens change; and which
// display the program opens.
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/displayplatform.h"
#include "ui/nativeframes.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QScreen>
#include <QtTest>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

namespace {

const int k = qMax(1, qEnvironmentVariableIntValue("QT_SCALE_FACTOR"));

// The offscreen platform's own geometry in device pixels, beneath Qt's scaling: what the
// window system tells the program on X11.
struct OffscreenFrames final : ui::NativeFrames {
    QRect screenRect(const QScreen* screen) override { return screen->handle()->geometry(); }
    std::optional<ui::NativeFrame> frame(const QWidget* w) override
    {
        QPlatformWindow* p = w->windowHandle() ? w->windowHandle()->handle() : nullptr;
        if (!p)
            return std::nullopt;
        return ui::NativeFrame {
            p->geometry().marginsAdded(p->frameMargins()), !p->frameMargins().isNull(), true};
    }
    void moveFrame(QWidget* w, QPoint at) override
    {
        QPlatformWindow* p = w->windowHandle()->handle();
        p->setGeometry({at, p->geometry().size()}); // taken as the frame's, or the window's
        p->setGeometry({at + at - frame(w)->rect.topLeft(), p->geometry().size()});
    }
} offscreenFrames;

// Sets the screens by name, in device pixels, with their scale, for windows made from now on
// with frames or without. New screens come before the old go: the first left is the primary.
void setScreens(const QList<std::tuple<QString, QRect, double>>& screens, bool frames = true)
{
    QPlatformNativeInterface* platform = QGuiApplication::platformNativeInterface();
    const auto call
        = [&](const char* name) { return platform->nativeResourceForIntegration(name); };
    using Get = QJsonObject (*)(QPlatformNativeInterface*);
    QJsonArray both = reinterpret_cast<Get>(call("configuration"))(platform)["screens"].toArray();
    QStringList names;
    for (const QJsonValue s : both)
        names << s.toObject()["name"].toString();
    QJsonArray wanted;
    for (const auto& [name, r, scale] : screens) {
        const QJsonObject screen {{"name", name}, {"x", r.x()}, {"y", r.y()}, {"width", r.width()},
            {"height", r.height()}, {"logicalDpi", 96 * scale}, {"logicalBaseDpi", 96}};
        wanted.append(screen);
        if (!names.contains(name))
            both.append(screen);
    }
    using Set = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    for (const QJsonArray& all : {both, wanted})
        reinterpret_cast<Set>(call("setConfiguration"))(
            {{"windowFrameMargins", frames}, {"screens", all}}, platform);
}

// The frame's top right corner against the primary screen's, in device pixels.
QPoint offFromCorner(QWidget* w)
{
    return offscreenFrames.frame(w)->rect.topRight()
        - offscreenFrames.screenRect(QGuiApplication::primaryScreen()).topRight();
}

// The texts of a loaded window's controls that they cut, in the faces installed.
QStringList clipped(const ui::Form& form)
{
    QStringList cut;
    const auto check = [&](const QWidget* w, const QRect& room, int flags, const QString& text) {
        if (!ui::textFits(w->font(), text, room, flags))
            cut << QStringLiteral("%1 \"%2\"").arg(w->objectName(), text);
    };
    for (QObject* c : form.window()->children()) {
        if (const auto* l = qobject_cast<ui::Label*>(c))
            check(l, l->contentsRect(), l->textFlags(), l->text());
        if (const auto* b = qobject_cast<ui::Button*>(c))
            check(b, b->textRect(), Qt::AlignCenter | Qt::TextShowMnemonic, b->text());
        if (const auto* list = qobject_cast<ui::ComboList*>(c))
            for (int i = 0; i < list->count(); ++i)
                check(list, list->fieldRect(), Qt::AlignLeft | Qt::AlignVCenter, list->itemText(i));
    }
    return cut;
}

} // namespace

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ui::setNativeFrames(&offscreenFrames); }

    // Placed through the window system's frames, in device pixels, and through Qt's alone.
    void everyWindowInItsPlaceOnThePrimaryScreen_data()
    {
        table<bool>({"native"}, {{"window system's frames", true}, {"Qt's frames", false}});
    }
    void everyWindowInItsPlaceOnThePrimaryScreen()
    {
        if (!cell<bool>("native"))
            ui::setNativeFrames(nullptr); // none on this platform
        QApplication::setStyle(QStringLiteral("Fusion"));
        // The primary on the right and a lower one on the left; twice the size at twice the
        // scale, so that the logical desktop stays the same.
        setScreens({{"1-right-primary", QRect(800 * k, 0, 1024 * k, 768 * k), 1},
            {"2-left", QRect(0, 100 * k, 800 * k, 600 * k), 1}});
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(QGuiApplication::screens().size() == 2 && primary.x() > 0); // primary on the right
        TestForms t;
        QStringList cut; // every text of every layout whole in its control
        const auto shown = [&](ui::Form& f) {
            f.show();
            cut += clipped(f);
            return QTest::qWaitForWindowExposed(f.window()) ? f.window() : nullptr;
        };
        QWidget* main = shown(t.forms.frmTasselday());
        // The frame, not only the client area, touches the top and right edges.
        QVERIFY(main && main->frameGeometry() != main->geometry());
        QTRY_COMPARE(main->frameGeometry().topRight(), primary.topRight());
        QCOMPARE(main->size(), QSize(416, 142));
        main->move(main->pos() + QPoint(-50, 30)); // as the user would: it stays there
        QTest::qWait(20);
        QCOMPARE(main->frameGeometry().topRight(), primary.topRight() + QPoint(-50, 30));
        QWidget* about = shown(t.forms.frmAbout());
        QTRY_COMPARE(about->geometry().topLeft(), primary.topLeft() + QPoint(156, 129));
        for (int i = 0; i < 3; ++i)
            QTest::mouseDClick(t.forms.frmTasselday().controls().lblSet, Qt::LeftButton);
        QWidget* options = shown(t.forms.frmAdvOpt());
        QTRY_VERIFY((options->frameGeometry().center() - primary.center()).manhattanLength() <= 1);
        QTest::mouseClick(t.forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
        QWidget* done = shown(t.forms.frmDone());
        QTRY_COMPARE(done->geometry(), primary);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
    }

    // The main window's frame flush with the top right corner to the device pixel, at any
    // scale and width, framed or not; and again when its screen is resized or unplugged (more
    // scales, framed and not, are the end-to-end scenarios'). Rows: the scale, frames or none,
    // the screen's width and the one it becomes, and whether another screen takes its place.
    void mainWindowFlushAtAnyScale_data()
    {
        table<double, bool, int, int, bool>({"scale", "frames", "width", "widthAfter", "unplugged"},
            {{"1366 at 1.5, resized", 1.5, true, 1366, 1024, false},
                {"1366 at 1.75, frameless, unplugged", 1.75, false, 1366, 1023, true},
                {"1367 at 1.25", 1.25, true, 1367, 1600, false},
                {"1365 at 2", 2, true, 1365, 1366, true}});
    }
    void mainWindowFlushAtAnyScale()
    {
        const double scale = cell<double>("scale");
        const bool frames = cell<bool>("frames");
        const auto screen = [&](const char* id, int w) { // twice the size at twice the scale
            return std::tuple(id + QString::fromLatin1(QTest::currentDataTag()),
                QRect(0, 0, w * k, 768 * k), scale);
        };
        setScreens({screen("a-", cell<int>("width"))}, frames);
        TestForms t;
        t.forms.frmTasselday().show();
        QWidget* main = t.forms.frmTasselday().window();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QCOMPARE(main->devicePixelRatio(), scale * k); // truly at that scale
        QTRY_COMPARE(offFromCorner(main), QPoint());
        setScreens(
            {screen(cell<bool>("unplugged") ? "b-" : "a-", cell<int>("widthAfter"))}, frames);
        QTRY_COMPARE(offFromCorner(main), QPoint());
    }

    // Which display the program opens: unset variables are "-", answering the displays that
    // answer; the platform asked for, empty to keep the user's, or "!" and the reason. (Both
    // displays answering is the end-to-end scenarios'.)
    void displayChoice_data()
    {
        table<QByteArrayList, QByteArrayList, QByteArrayList, QString>(
            {"QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY", "args", "answering", "chosen"},
            {{"XWayland gone", {"-", ":0", "wl"}, {}, {"wl"}, "wayland"},
                {"-display argument", {"-", "-", "-"}, {"-display", ":5"}, {":5"}, "xcb"},
                {"platform chosen", {"wayland", ":0", "wl"}, {}, {":0", "wl"}, ""},
                {"platform argument", {"-", ":0", "wl"}, {"-platform", "offscreen"}, {}, ""},
                {"nothing set", {"-", "-", "-"}, {}, {}, "!DISPLAY is not set; WAYLAND_DISPLAY"},
                {"empty DISPLAY", {"-", "", "-"}, {}, {}, "!DISPLAY is empty"},
                {"chosen X11 gone", {"xcb", ":9", "wl"}, {}, {"wl"}, "!X display \":9\" does not"},
                {"Wayland gone", {"-", "-", "wl"}, {}, {}, "!Wayland display \"wl\" does not"}});
    }
    void displayChoice()
    {
        const auto given = cell<QByteArrayList>("QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY");
        const auto answers
            = [](const QByteArray& n) { return cell<QByteArrayList>("answering").contains(n); };
        const ui::DisplayChoice choice = ui::chooseDisplay(cell<QByteArrayList>("args"),
            {[&](const char* name) -> std::optional<QByteArray> {
                 const QByteArray v = given.value(
                     QByteArrayList {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}.indexOf(
                         name));
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlacementTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_placement.moc"

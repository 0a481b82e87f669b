// The window layer on two screens, the primary not the leftmost: where each window and the
// celebration's parts stand, every text whole, typing, the display chosen.
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/displayplatform.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTemporaryFile>

using namespace ui;

// The texts of a loaded window's controls that they cut, in the faces installed.
static QStringList clipped(const Form& form)
{
    QStringList cut;
    const auto check = [&](const QWidget* w, const QRect& room, int flags, const QString& text) {
        if (!textFits(w->font(), text, room, flags))
            cut << QStringLiteral("%1 \"%2\"").arg(w->objectName(), text);
    };
    for (QObject* c : form.window()->children()) {
        if (const auto* l = qobject_cast<Label*>(c))
            check(l, l->contentsRect(), l->textFlags(), l->text());
        if (const auto* b = qobject_cast<Button*>(c))
            check(b, b->textRect(), Qt::AlignCenter | Qt::TextShowMnemonic, b->text());
        if (const auto* list = qobject_cast<ComboList*>(c))
            for (int i = 0; i < list->count(); ++i)
                check(list, list->fieldRect(), Qt::AlignLeft | Qt::AlignVCenter, list->itemText(i));
    }
    return cut;
}

class FormTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowInItsPlaceOnThePrimaryScreen()
    {
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(QGuiApplication::screens().size() == 2 && primary.x() > 0); // primary on the right
        TestForms t;
        QStringList cut; // every text of every layout whole in its control
        const auto shown = [&](Form& f) {
            f.show();
            cut += clipped(f);
            return QTest::qWaitForWindowExposed(f.window()) ? f.window() : nullptr;
        };
        QWidget* main = shown(t.forms.frmTasselday());
        // The frame, not only the client area, touches the top and right edges.
        QVERIFY(main && main->frameGeometry() != main->geometry());
        QTRY_COMPARE(main->frameGeometry().topRight(), primary.topRight());
        main->move(main->pos() + QPoint(-50, 30)); // as the user would: it stays there
        QTest::qWait(20);
        QCOMPARE(main->frameGeometry().topRight(), primary.topRight() + QPoint(-50, 30));
        QWidget* about = shown(t.forms.frmAbout());
        QTRY_COMPARE(about->geometry().topLeft(), primary.topLeft() + QPoint(156, 129));
        for (int i = 0; i < 3; ++i)
            QTest::mouseDClick(t.forms.frmTasselday().controls().lblSet, Qt::LeftButton);
        QWidget* options = shown(t.forms.frmAdvOpt());
        QTRY_VERIFY((options->frameGeometry().center() - primary.center()).manhattanLength() <= 1);
        QPointer<QTimer> tick = t.forms.frmTasselday().controls().timerRefresh;
        QTest::mouseClick(t.forms.frmAdvOpt().controls().cmdJump, Qt::LeftButton);
        QVERIFY(tick && !tick->isActive()); // no tick once its window is gone
        QWidget* done = shown(t.forms.frmDone());
        QTRY_COMPARE(done->geometry(), primary);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
        // The celebration arranged from its size: Label1, Label2, Image1..4 and the X. The
        // pictures unstretched inside a 2-pixel border, the right-hand ones mirrored.
        const FrmDoneControls& c = t.forms.frmDone().controls();
        QWidget* const placed[]
            = {c.Label1, c.Label2, c.Image1, c.Image2, c.Image3, c.Image4, c.cmdClose};
        const QPoint at[]
            = {{-21, 272}, {887, 724}, {64, 590}, {858, 590}, {64, 77}, {858, 77}, {1008, 1}};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(placed[i]->pos(), at[i]);
        const QImage a = bitmapA().toImage(), b = bitmapB().toImage();
        const QImage pictures[] = {a, a.mirrored(true, false), b, b.mirrored(true, false)};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(placed[2 + i]->grab().toImage().convertToFormat(a.format()).copy(2, 2, 98, 97),
                pictures[i]);
    }

    // Typed or pasted, what goes beyond the limit of two is cut off the user's text; the
    // program's own text stays whole. (How characters are counted and which are kept out, the
    // typing fuzz corpus sees.)
    void typedLimit_data()
    {
        table<QString, QString, QString, QString>({"way", "before", "in", "after"},
            {{"paste over all", "paste over", "12", "345", "34"},
                {"program's text", "type", "12345", "6", "12345"}});
    }
    void typedLimit()
    {
        const QString way = cell<QString>("way"), in = cell<QString>("in");
        TextBox box;
        box.setTypedLimit(2);
        QApplication::clipboard()->setText(in);
        box.setText(cell<QString>("before"));
        if (way == "paste over")
            box.selectAll();
        way == "type" ? QTest::keyClicks(&box, in) : QTest::keySequence(&box, QKeySequence::Paste);
        QTEST(box.text(), "after");
    }

    // Which display the program opens, before any is open: each variable ("-" unset), the
    // arguments, the displays that answer; the platform asked for, empty to keep the user's, or
    // "!" and the reason. (No display, and Wayland alone or beside X, are the e2e scenarios'.)
    void displayChoice_data()
    {
        table<QByteArray, QByteArray, QByteArray, QByteArrayList, QByteArrayList, QString>(
            {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "args", "answering", "chosen"},
            {{"-display argument", "-", "-", "-", {"-display", ":5"}, {":5"}, "xcb"},
                {"platform chosen", "wayland", ":0", "wl", {}, {":0", "wl"}, ""},
                {"platform argument", "-", ":0", "wl", {"-platform", "offscreen"}, {}, ""},
                {"chosen X11 gone", "xcb", ":9", "wl", {}, {"wl"}, "!X display \":9\" does not"},
                {"Wayland gone", "-", "-", "wl", {}, {}, "!Wayland display \"wl\" does not"}});
    }
    void displayChoice()
    {
        const auto answers
            = [](const QByteArray& n) { return cell<QByteArrayList>("answering").contains(n); };
        const auto env = [](const char* name) -> std::optional<QByteArray> {
            // A socket handed over by the compositor that started the program: never here.
            const QByteArray v = qstrcmp(name, "WAYLAND_SOCKET") ? cell<QByteArray>(name) : "-";
            return v == "-" ? std::nullopt : std::optional(v);
        };
        const DisplayChoice choice
            = chooseDisplay(cell<QByteArrayList>("args"), {env, answers, answers});
        const QString chosen = cell<QString>("chosen");
        if (chosen.startsWith('!'))
            QVERIFY2(choice.error.contains(chosen.mid(1)), qPrintable(choice.error));
        else
            QCOMPARE(choice.platform + choice.error.toUtf8(), chosen.toUtf8());
    }
};

int main(int argc, char** argv)
{
    // The primary (the first by name) on the right, a lower screen on the left, framed windows.
    // Made here and named without its folder: a drive letter's colon would end the argument.
    QTemporaryFile screens(QStringLiteral("screens-XXXXXX.json"));
    screens.open(); // the test itself finds out if it did not come to be
    screens.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "1-right", "x": 800, "y": 0, "width": 1024, "height": 768},
        {"name": "2-left", "x": 0, "y": 100, "width": 800, "height": 600}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFileInfo(screens).fileName().toUtf8());
    QApplication app(argc, argv);
    FormTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_form.moc"

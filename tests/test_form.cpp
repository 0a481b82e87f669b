// The window layer every window stands on: lifetime, controls from rows, their roles, input.
#include "support/rows.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/displaybox.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/lifetime.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QScreen>
#include <QTimer>

namespace {

using namespace ui;
const WindowLayout kWindow = {"Probe", 3000, 1500, colors::Navy, Frame::FixedSingle};

struct ProbeControls {
    TextBox* txtProbe;
    Label* lblLink;
    Button *cmdCancel, *cmdOK;
    QTimer* timerProbe;
};
using C = ProbeControls;

// clang-format off
const Row<C> kRows[] = {
    {UI_CONTROL(C, lblLink), {.text = "Link", .left = 150, .top = 150, .width = 1500,
     .height = 300, .fore = colors::Navy, .hoverFore = colors::Red}},
    {UI_CONTROL(C, cmdOK), {.text = "OK", .left = 1800, .top = 150, .width = 1000,
     .height = 375, .role = ButtonRole::Default}},
    {UI_CONTROL(C, cmdCancel), {.text = "Cancel", .left = 1800, .top = 600, .width = 1000,
     .height = 375, .role = ButtonRole::Cancel}},
    {UI_CONTROL(C, txtProbe), {.left = 150, .top = 600, .width = 1500, .height = 300,
     .typedLimit = 2}},
    {UI_CONTROL(C, timerProbe), {}},
};
// clang-format on

class ProbeForm : public FormOf<C> {
public:
    ProbeForm() : FormOf(kWindow, kRows) { }
    int loads = 0, unloads = 0;
    QString pressed, kept; // buttons clicked; a form-level value
protected:
    void Form_Load() override
    {
        connect(c.cmdOK, &Button::clicked, this, [this] { pressed += "OK"; });
        connect(c.cmdCancel, &Button::clicked, this, [this] { pressed += "Cancel"; });
        c.timerProbe->start(20);
        ++loads, kept += 'x';
    }
    void Form_Unload() override { ++unloads; }
};

} // namespace

class FormTest : public QObject {
    Q_OBJECT
    int m_ends = 0;
    ProbeForm* m_f = nullptr;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        setProgramEndHandler([this] { ++m_ends; });
    }
    void init()
    {
        m_ends = 0;
        m_f = new ProbeForm;
        m_f->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_f->window()));
    }
    void cleanup() { delete m_f; }

    // One copy, loaded once; a close while disabled unloads; unload destroys the controls,
    // not the form's values; the program ends when the last loaded window goes, shown or
    // not; timers live with the window.
    void lifetime()
    {
        ProbeForm other;
        other.load();
        m_f->show();
        QPointer<FormWindow> first = m_f->window();
        QPointer<QTimer> timer = m_f->controls().timerProbe;
        m_f->setEnabled(false);
        QVERIFY(m_f->loads == 1 && timer->isActive() && timer->timerType() == Qt::PreciseTimer);
        m_f->window()->close();
        QVERIFY(!m_f->isLoaded() && !timer->isActive() && !m_f->controls().lblLink);
        m_f->unload();
        QVERIFY(m_f->unloads == 1 && m_ends == 0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        m_f->show();
        QCOMPARE(m_f->kept, QStringLiteral("xx"));
        other.unload();
        m_f->unload();
        QCOMPARE(m_ends, 1);
    }

    // Each row (named in the tag) takes its place in twips, on a window of the layout's size
    // and colour (the kind of control is its member's type).
    void controlsFromRows_data()
    {
        table<QRect>({"place"},
            {{"lblLink", QRect(10, 10, 100, 20)}, {"txtProbe", QRect(10, 40, 100, 20)},
                {"cmdOK", QRect(120, 10, 67, 25)}});
    }
    void controlsFromRows()
    {
        QTEST(m_f->window()->findChild<QWidget*>(QTest::currentDataTag())->geometry(), "place");
        QCOMPARE(m_f->window()->size(), QSize(200, 100));
        QCOMPARE(m_f->window()->palette().color(QPalette::Window), fromBgr(colors::Navy));
    }

    // Typed or pasted, what goes beyond the limit, counted in characters as a reader sees
    // them, is cut off the user's text, and no control character gets in; the program's own
    // text stays whole.
    void typedLimit_data()
    {
        table<QString, QString, QString, QString>({"way", "before", "in", "after"},
            {{"typing", "type", "", "123", "12"}, {"paste", "paste", "9", "456", "94"},
                {"paste over all", "paste over", "12", "345", "34"},
                {"program's text", "type", "12345", "6", "12345"},
                {"emoji kept whole", "paste", "0", "\U0001F600\U0001F600", "0\U0001F600"},
                {"family is one", "paste", "", "\U0001F468\u200D\U0001F467x9",
                    "\U0001F468\u200D\U0001F467x"},
                {"accents stay", "paste", "", "e\u0301x\u0301y", "e\u0301x\u0301"},
                {"controls", "paste", "", QChar(0) + QString("\u00011\t\r\n\u20282"), "12"}});
    }
    void typedLimit()
    {
        const QString way = cell<QString>("way"), in = cell<QString>("in");
        auto* box = m_f->controls().txtProbe;
        QApplication::clipboard()->setText(in);
        box->setText(cell<QString>("before"));
        box->setFocus();
        box->end(false);
        if (way == "paste over")
            box->selectAll();
        way == "type" ? QTest::keyClicks(box, in) : QTest::keySequence(box, QKeySequence::Paste);
        QTEST(box->text(), "after");
    }

    // Disabled: no pointer, key or button input (not a pixel greyed: the end-to-end
    // scenarios'). A button's face is exactly its colour, with a plain edge, raised or sunken.
    void disabledLookAndButtonFace()
    {
        auto* box = m_f->controls().txtProbe;
        m_f->setEnabled(false);
        QTest::mouseClick(m_f->controls().cmdOK, Qt::LeftButton);
        QTest::keyClicks(box, "1");
        QVERIFY(m_f->pressed.isEmpty() && box->text().isEmpty());
        // The default button is drawn with a dark outline round its edge.
        QCOMPARE(m_f->controls().cmdOK->grab().toImage().pixelColor(0, 0), QColor(Qt::black));
        auto* b = m_f->controls().cmdCancel;
        setRoleColor(b, QPalette::Button, 0x0080FF80);
        for (bool down : {false, true}) {
            b->setDown(down);
            const QImage shot = b->grab().toImage();
            QCOMPARE(shot.pixelColor(0, 0), down ? QColor(Qt::black) : QColor(Qt::white));
            QCOMPARE(shot.pixelColor(66, 24), down ? QColor(Qt::white) : QColor(Qt::black));
            QCOMPARE(shot.pixelColor(4, 20), fromBgr(0x0080FF80));
        }
    }

    // A box the program writes shows on screen, after each new text, what a read-only text box
    // of its font, colours and alignment shows (though it repaints only what changed), and a
    // screen reader reads it as one.
    void displayBox_data()
    {
        table<QString, QString, int>({"before", "after", "bold"},
            {{"a second less", "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!",
                 "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 44 Seconds!", 0},
                {"the last minute", "1 Minutes, 0 Seconds!", "59 Seconds!", 1},
                {"wide glyphs beside", "WW WW", "WW MW", 1},
                {"marks above the line", "\u00c2\u0302\u0302 1", "\u00c2\u0302\u0302\u0302 2", 0}});
    }
    void displayBox()
    {
        QWidget w;
        DisplayBox shown(&w);
        TextBox box(&w);
        box.setReadOnly(true), box.setFocusPolicy(Qt::NoFocus);
        for (QWidget* b : {static_cast<QWidget*>(&shown), static_cast<QWidget*>(&box)}) {
            b->setGeometry(b == &box ? 0 : 410, 10, 400, 24);
            b->setFont(makeFont(
                {"Courier New", cell<int>("bold") ? 12 : 8.25, 400 + 300 * cell<int>("bold")}));
            setRoleColor(b, QPalette::Base, 0x00FF8080);
        }
        shown.setAlignment(Qt::AlignCenter), box.setAlignment(Qt::AlignCenter);
        shown.setText(cell<QString>("before")), box.setText(cell<QString>("before"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        shown.setText(cell<QString>("after")), box.setText(cell<QString>("after"));
        QApplication::processEvents();
        const auto onScreen = [&w](int x) {
            return QGuiApplication::primaryScreen()
                ->grabWindow(w.winId(), x, 10, 400, 24)
                .toImage();
        };
        QCOMPARE(onScreen(410), onScreen(0));
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&shown);
        QVERIFY(read->role() == QAccessible::EditableText && read->state().readOnly);
        QCOMPARE(read->textInterface()->text(0, 100), cell<QString>("after"));
    }

    // Every face the layouts name resolves to an installed one, at its size and style.
    void fonts_data()
    {
        QTest::addColumn<QByteArray>("face");
        for (const char* face : {"Arial", "Courier New", "MS Sans Serif", "Matisse ITC",
                 "Copperplate Gothic Bold", "Westminster"})
            QTest::newRow(face) << QByteArray(face);
    }
    void fonts()
    {
        QFETCH(QByteArray, face);
        const QFont font = makeFont({face.constData(), 12.75, 700, true, true});
        const QString want = installedFace(face), got = QFontInfo(font).family();
#ifdef Q_OS_WIN
        // Windows stands in for a face it lacks (most lack the decorative ones).
        QVERIFY2(got == want || (!QFontDatabase::hasFamily(want) && QFontDatabase::hasFamily(got)),
            qPrintable(got));
#else
        QCOMPARE(got, want);
#endif
        QVERIFY(font.pixelSize() == 17 && font.bold() && font.italic() && font.underline());
    }
};

QTEST_MAIN(FormTest)
#include "test_form.moc"

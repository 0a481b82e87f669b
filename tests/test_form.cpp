// The window layer every window stands on: lifetime, controls from rows, their roles, input.
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

using namespace ui;
const WindowLayout kWindow = {.caption = "Probe", .clientWidth = 3000, .clientHeight = 1500,
                              .back = colors::Navy, .frame = Frame::FixedSingle};
// Rows out of tab order and out of stacking order, so that the roles must sort them.
const ControlRow kRows[] = {
    {.kind = Kind::TextBox, .name = "txtProbe", .left = 150, .top = 600, .width = 1500,
     .height = 300, .typedLimit = 2, .tabIndex = 2},
    {.kind = Kind::Label, .name = "lblLink", .text = "Link", .left = 150, .top = 150,
     .width = 1500, .height = 300, .fore = colors::LightCyan, .hoverFore = colors::Red},
    {.kind = Kind::Line, .name = "Line1", .left = 0, .top = 1200, .width = 3000,
     .height = 1200, .fore = colors::Red, .lineWidth = 2, .layer = Layer::Lifted},
    {.kind = Kind::Label, .name = "lblUnder", .left = 2400, .top = 1100, .width = 600,
     .height = 300},
    {.kind = Kind::Button, .name = "cmdCancel", .text = "Cancel", .left = 1800, .top = 600,
     .width = 1000, .height = 375, .role = ButtonRole::Cancel, .tabIndex = 1},
    {.kind = Kind::Button, .name = "cmdOK", .text = "OK", .left = 1800, .top = 150,
     .width = 1000, .height = 375, .role = ButtonRole::Default, .tabIndex = 0},
    {.kind = Kind::Timer, .name = "timerProbe", .interval = 20},
};

class ProbeForm : public Form {
public:
    ProbeForm() : Form(kWindow, kRows) {}
    int loads = 0, unloads = 0, moves = 0;
    QString pressed, kept; // buttons clicked; a form-level value
protected:
    void bindControls() override
    {
        connect(control<Label>("lblLink"), &Label::mouseMoved, this,
                [this] { hoverLink(control<Label>("lblLink")); });
        for (const char* b : {"cmdOK", "cmdCancel"})
            connect(control<Button>(b), &Button::clicked, this, [this, b] { pressed += b; });
    }
    void Form_Load() override { ++loads; kept += 'x'; }
    void Form_Unload() override { ++unloads; }
    void Form_MouseMove() override { ++moves; restLinks(); }
};

// The user's text arriving in one of the ways a text box takes it.
void deliver(const QString& way, QWidget* box, const QString& text)
{
    if (way == "type") {
        QTest::keyClicks(box, text);
    } else if (way == "paste") {
        QApplication::clipboard()->setText(text);
        QTest::keySequence(box, QKeySequence::Paste);
    } else if (way == "drop") {
        QMimeData data;
        data.setText(text);
        const QPoint at(box->width() - 2, box->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QApplication::sendEvent(box, &drop);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    }
}

} // namespace

class FormTest : public QObject {
    Q_OBJECT
    int m_ends = 0;
    ProbeForm* m_f = nullptr;
    QWidget* c(const char* name) { return m_f->control<QWidget>(name); }

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

    // One copy, loaded once; unload destroys the controls, not the form's values; the
    // program ends when the last loaded window goes, shown or not; timers live with it.
    void lifetime()
    {
        ProbeForm other;
        other.load();
        m_f->show();
        QPointer<FormWindow> first = m_f->window();
        QPointer<QTimer> timer = m_f->timer("timerProbe");
        m_f->setEnabled(false);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(m_f->loads, 1);
        m_f->window()->close(); // the program's or the session's close, while disabled
        QVERIFY(!m_f->isLoaded() && !timer->isActive() && !m_f->control<Label>("lblLink"));
        m_f->unload();
        QCOMPARE(m_f->unloads, 1);
        QCOMPARE(m_ends, 0);
        m_f->setEnabled(true);
        QVERIFY(!m_f->isLoaded());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        m_f->show();
        QCOMPARE(m_f->kept, QStringLiteral("xx"));
        other.unload();
        m_f->unload();
        QCOMPARE(m_ends, 1);
    }

    // Each row becomes its kind of control, at its place in twips, in its colours.
    void controlsFromRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("place");
        QTest::newRow("label") << "lblLink" << "ui::Label" << QRect(10, 10, 100, 20);
        QTest::newRow("text box") << "txtProbe" << "ui::TextBox" << QRect(10, 40, 100, 20);
        QTest::newRow("button") << "cmdOK" << "ui::Button" << QRect(120, 10, 67, 25);
    }
    void controlsFromRows()
    {
        QFETCH(QString, name);
        QWidget* w = c(name.toLatin1());
        QTEST(QString::fromLatin1(w->metaObject()->className()), "kind");
        QTEST(w->geometry(), "place");
        QCOMPARE(m_f->window()->size(), QSize(200, 100));
        QCOMPARE(m_f->backColor(), colors::Navy);
        QCOMPARE(m_f->control<Label>("lblLink")->foreColor(), colors::LightCyan);
        QCOMPARE(m_f->timer("timerProbe")->interval(), 20);
    }

    // A name the window lacks, or the wrong kind asked for, stops the program with a message.
    void unknownControlStopsTheProgram_data()
    {
        QTest::addColumn<QString>("ask");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown") << "nosuch" << "has no control named \"nosuch\"";
        QTest::newRow("wrong kind") << "lblLink" << "\"lblLink\" of window \"Probe\" is of another";
    }
    void unknownControlStopsTheProgram()
    {
        QFETCH(QString, ask);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--ask", ask});
        QVERIFY(child.waitForFinished(20000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY(!child.readAllStandardOutput().contains("survived"));
        QFETCH(QString, message);
        const QString said = QString::fromLocal8Bit(child.readAllStandardError());
        QVERIFY2(said.contains(message), qPrintable(said));
    }

    // The link turns its hover colour over itself, keeps it over other controls and rests
    // again over the bare background, of which a drawn line is part.
    void linkColours_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("stays on it") << "lblLink" << colors::Red;
        QTest::newRow("onto a text box") << "txtProbe" << colors::Red;
        QTest::newRow("onto a line") << "Line1" << colors::LightCyan;
        QTest::newRow("onto background") << "" << colors::LightCyan;
    }
    void linkColours()
    {
        QFETCH(QString, then);
        auto* link = m_f->control<Label>("lblLink");
        QTest::mouseMove(m_f->window(), QPoint(1, 1)); // the first move only enters the window
        QTest::mouseMove(m_f->window(), link->geometry().center());
        QCOMPARE(link->foreColor(), colors::Red);
        const QPoint to = then == "Line1" ? QPoint(100, px(1200))
            : then.isEmpty() ? QPoint(100, 95) : c(then.toLatin1())->geometry().center();
        QTest::mouseMove(m_f->window(), to);
        QTEST(link->foreColor(), "colour");
    }

    // Enter goes to the focused button, else to the default one; Escape to the cancel one.
    void enterAndEscape_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key"); // with its modifiers
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Enter in text") << "txtProbe" << int(Qt::Key_Return) << "cmdOK";
        QTest::newRow("keypad Enter") << "txtProbe" << int(Qt::Key_Enter) << "cmdOK";
        QTest::newRow("Escape in text") << "txtProbe" << int(Qt::Key_Escape) << "cmdCancel";
        QTest::newRow("Enter on Cancel") << "cmdCancel" << int(Qt::Key_Return) << "cmdCancel";
        QTest::newRow("Escape on OK") << "cmdOK" << int(Qt::Key_Escape) << "cmdCancel";
        QTest::newRow("Ctrl+Enter") << "txtProbe" << (Qt::Key_Return | Qt::ControlModifier).toCombined() << "";
    }
    void enterAndEscape()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QWidget* w = c(focus.toLatin1());
        w->setFocus();
        QTest::keyClick(w, Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QTEST(m_f->pressed, "pressed");
    }

    // Tab follows the rows' tab indexes; windowed controls lie above drawn ones, and a
    // lifted line above the other drawn ones, whatever the order of the rows.
    void tabOrderAndStacking()
    {
        QStringList order;
        QWidget* w = c("cmdOK");
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != c("cmdOK"));
        QCOMPARE(order, (QStringList{"cmdOK", "cmdCancel", "txtProbe"}));
        const QObjectList z = m_f->window()->children();
        QVERIFY(z.indexOf(c("lblUnder")) < z.indexOf(c("Line1")));
        QVERIFY(z.indexOf(c("Line1")) < z.indexOf(c("txtProbe")));
    }

    // However the user's text arrives, what goes beyond the limit is cut off its end; the
    // program's own text stays whole. A disabled window takes none of it.
    void typedLimit_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("after");
        QTest::newRow("typing") << "type" << "" << false << "123" << "12";
        QTest::newRow("typing over all") << "type" << "12" << true << "9" << "9";
        QTest::newRow("paste") << "paste" << "9" << false << "456" << "94";
        QTest::newRow("paste over all") << "paste" << "12" << true << "345" << "34";
        QTest::newRow("drop") << "drop" << "1" << false << "789" << "17";
        QTest::newRow("input method") << "im" << "" << false << "456" << "45";
        QTest::newRow("program's text") << "type" << "12345" << false << "6" << "12345";
    }
    void typedLimit()
    {
        QFETCH(QString, way);
        QFETCH(QString, before);
        QFETCH(bool, all);
        QFETCH(QString, in);
        auto* box = m_f->control<TextBox>("txtProbe");
        box->setText(before);
        box->setFocus();
        box->end(false);
        if (all)
            box->selectAll();
        m_f->setEnabled(false);
        deliver(way, box, in);
        QCOMPARE(box->text(), before);
        m_f->setEnabled(true);
        deliver(way, box, in);
        QTEST(box->text(), "after");
    }

    // Disabled: no pointer or button input either, and not a pixel greyed.
    void disabledKeepsItsLook()
    {
        const QImage look = m_f->window()->grab().toImage();
        m_f->setEnabled(false);
        QVERIFY(!m_f->enabled());
        QCOMPARE(m_f->window()->grab().toImage(), look);
        for (const QPoint p : {QPoint(1, 1), QPoint(100, 95)})
            QTest::mouseMove(m_f->window(), p);
        QTest::mouseClick(c("cmdOK"), Qt::LeftButton);
        QCOMPARE(m_f->moves, 0);
        QCOMPARE(m_f->pressed, QString());
    }

    // A button's face is exactly its colour, with a plain edge, raised or sunken.
    void buttonFace()
    {
        auto* b = m_f->control<Button>("cmdCancel");
        b->setFaceColor(0x0080FF80);
        for (bool down : {false, true}) {
            b->setDown(down);
            const QImage shot = b->grab().toImage();
            QCOMPARE(shot.pixelColor(0, 0), down ? QColor(Qt::black) : QColor(Qt::white));
            QCOMPARE(shot.pixelColor(66, 24), down ? QColor(Qt::white) : QColor(Qt::black));
            QCOMPARE(shot.pixelColor(4, 20), fromBgr(0x0080FF80));
        }
    }

    // Every face the layouts name resolves to an installed one, at its size and style.
    void fonts_data()
    {
        QTest::addColumn<QString>("face");
        for (const char* face : {"Arial", "Courier New", "MS Sans Serif", "Matisse ITC",
                                 "Copperplate Gothic Bold", "Westminster"})
            QTest::newRow(face) << QString::fromLatin1(face);
    }
    void fonts()
    {
        QFETCH(QString, face);
        const QByteArray name = face.toLatin1();
        const QFont font = makeFont({name.constData(), 12.75, 700, true, true});
        QCOMPARE(QFontInfo(font).family(), installedFace(face));
        QCOMPARE(font.pixelSize(), 17);
        QVERIFY(font.bold() && font.italic() && font.underline());
        QCOMPARE(makeFont({name.constData(), 8.25}).pixelSize(), 11);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--ask") == 0) {
        ProbeForm f;
        f.load();
        f.control<TextBox>(argv[2]);
        puts("survived");
        return 0;
    }
    FormTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_form.moc"

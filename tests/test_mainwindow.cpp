// The main window as a user meets it: placement, heading, hover colours, the hidden gesture.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QApplication>
#include <QScreen>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

    static ui::Label* label(TestForms& t, const char* name)
    {
        return t.forms.frmTasselday().control<ui::Label>(name);
    }
    static QPoint centre(QWidget* w) { return w->geometry().center(); }

    // Which controls told a screen reader that their text or value changed.
    static inline QStringList heard;
    static void listen(QAccessibleEvent* e)
    {
        const auto t = e->type();
        if (e->object() && (t == QAccessible::TextUpdated || t == QAccessible::ValueChanged
                            || t == QAccessible::NameChanged || t == QAccessible::TextInserted))
            heard << e->object()->objectName();
    }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        // Before any window exists, as a screen reader would be.
        QAccessible::installUpdateHandler(listen);
    }

    void opensFlushTopRightAtItsSize()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTRY_COMPARE(w.window()->frameGeometry().topRight(), screen.topRight());
        QCOMPARE(w.window()->size(), QSize(416, 142));
        QCOMPARE(w.window()->windowTitle(), QStringLiteral("Tasselday - by Quillerby"));
        QCOMPARE(ui::toBgr(w.window()->palette().color(QPalette::Window)), ui::colors::Navy);
    }

    void headingCarriesTheBuiltInDateOnce()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.load();
        const QString heading = QStringLiteral("Time left until Graduation  (6/4/2006) :");
        QCOMPARE(label(t, "lblTimeLeft")->text(), heading);
        // Written at load only: a new ceremony moment leaves it alone.
        w.GradDate += 1.5;
        w.RefreshAllTimers();
        QCOMPARE(label(t, "lblTimeLeft")->text(), heading);
        // A second load after closing starts from the layout's text again.
        w.unload();
        w.load();
        QCOMPARE(label(t, "lblTimeLeft")->text(), heading);
    }

    void aboutLabelTurnsRedAndBackOnlyOverBackground()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        ui::Label* about = label(t, "lblAbout");
        QCOMPARE(about->foreColor(), ui::colors::LightCyan);

        QTest::mouseMove(w.window(), centre(about));
        QCOMPARE(about->foreColor(), ui::colors::Red);
        // Over another control nothing changes.
        QTest::mouseMove(w.window(), centre(w.control<ui::ProgressBar>("prgbarSchool")));
        QCOMPARE(about->foreColor(), ui::colors::Red);
        QTest::mouseMove(w.window(), centre(label(t, "lblSchoolCompleted")));
        QCOMPARE(about->foreColor(), ui::colors::Red);
        // Bare background, just left of the label.
        QTest::mouseMove(w.window(), QPoint(about->geometry().left() - 20, about->geometry().center().y()));
        QCOMPARE(about->foreColor(), ui::colors::LightCyan);
    }

    void aboutLabelOpensOneAboutBox()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        QTest::mouseClick(label(t, "lblAbout"), Qt::LeftButton);
        QVERIFY(t.forms.frmAbout().isLoaded());
        QWidget* first = t.forms.frmAbout().window();
        QTest::mouseClick(label(t, "lblAbout"), Qt::LeftButton);
        QCOMPARE(t.forms.frmAbout().window(), first);
        int aboutWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            aboutWindows += top->isVisible() && top->windowTitle() == QStringLiteral("About Tasselday");
        QCOMPARE(aboutWindows, 1);

        // Closing the main window takes the About box with it, and the program ends.
        w.window()->close();
        QVERIFY(!w.isLoaded());
        QVERIFY(!t.forms.frmAbout().isLoaded());
        QCOMPARE(t.programEnds, 1);
    }

    void threeQuickDoubleClicksOpenTheOptions()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        ui::Label* set = label(t, "lblSet");

        QTest::mouseClick(set, Qt::LeftButton);
        QCOMPARE(set->backColor(), ui::colors::Navy);

        QTest::mouseDClick(set, Qt::LeftButton);
        QCOMPARE(set->backColor(), 0x00900000u);
        QTest::mouseDClick(set, Qt::LeftButton);
        QCOMPARE(set->backColor(), 0x00C00000u);
        QVERIFY(!t.forms.frmAdvOpt().isLoaded());
        QTest::mouseDClick(set, Qt::LeftButton);
        QCOMPARE(set->backColor(), ui::colors::Navy);
        QVERIFY(t.forms.frmAdvOpt().isLoaded());
        QVERIFY(!w.enabled());
    }

    // Each double-click must come before the third tick after the one before it; a later
    // one starts the gesture again at its first stage.
    void gestureWaitsTwoTicks_data()
    {
        QTest::addColumn<int>("clicks"); // double-clicks before the pause
        QTest::addColumn<int>("ticks");  // ticks of the pause
        QTest::addColumn<quint32>("after"); // the square after one more double-click
        QTest::addColumn<bool>("opens");
        QTest::newRow("stage 1, two ticks") << 1 << 2 << 0x00C00000u << false;
        QTest::newRow("stage 1, three ticks") << 1 << 3 << 0x00900000u << false;
        QTest::newRow("stage 2, two ticks") << 2 << 2 << ui::colors::Navy << true;
        QTest::newRow("stage 2, three ticks") << 2 << 3 << 0x00900000u << false;
    }
    void gestureWaitsTwoTicks()
    {
        QFETCH(int, clicks);
        QFETCH(int, ticks);
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        w.timer("timerRefresh")->stop(); // only the test's ticks count
        ui::Label* set = label(t, "lblSet");
        for (int i = 0; i < clicks; ++i)
            QTest::mouseDClick(set, Qt::LeftButton);
        const quint32 stage = set->backColor();
        for (int i = 0; i < ticks; ++i) {
            QCOMPARE(set->backColor(), stage);
            w.RefreshAllTimers();
        }
        QCOMPARE(set->backColor(), ticks < 3 ? stage : ui::colors::Navy);
        QTest::mouseDClick(set, Qt::LeftButton);
        QTEST(set->backColor(), "after");
        QTEST(t.forms.frmAdvOpt().isLoaded(), "opens");
    }

    // While the options dialog is open: no input, no greying, and the count goes on.
    void disabledWindowKeepsCountingAndItsLook()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        const QImage look = w.window()->grab().toImage();
        w.setEnabled(false);
        QCOMPARE(w.window()->grab().toImage(), look);
        QTest::mouseMove(w.window(), centre(label(t, "lblAbout")));
        QTest::mouseClick(label(t, "lblAbout"), Qt::LeftButton);
        QTest::mouseDClick(label(t, "lblSet"), Qt::LeftButton);
        QCOMPARE(label(t, "lblAbout")->foreColor(), ui::colors::LightCyan);
        QVERIFY(!t.forms.frmAbout().isLoaded());
        QCOMPARE(label(t, "lblSet")->backColor(), ui::colors::Navy);

        auto* txt = w.control<ui::TextBox>("txtDisplay");
        const QString before = txt->text();
        t.clock.advanceSeconds(1);
        QTRY_VERIFY_WITH_TIMEOUT(txt->text() != before, 2500);
        QCOMPARE(txt->text(), QStringLiteral("11 Weeks, 4 Days, 8 Hours, 29 Minutes, 44 Seconds!"));
        QVERIFY(!w.enabled());
    }

    // A screen reader can name what the user reaches, and hears the countdown change only
    // while the user is on it. The events are the ones Qt sends when the display is
    // rewritten; they are handed to the program's handler as Qt would hand them over.
    void screenReaderNamesControlsAndIsSpared()
    {
        TestForms t;
        auto& w = t.forms.frmTasselday();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        for (QWidget* c : w.window()->findChildren<QWidget*>()) {
            const QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
            if (auto* l = qobject_cast<ui::Label*>(c))
                QCOMPARE(name, l->text());
            else
                QVERIFY2(!name.isEmpty(), qPrintable(c->objectName()));
        }

        const QAccessible::UpdateHandler program = QAccessible::installUpdateHandler(nullptr);
        QAccessible::installUpdateHandler(program);
        QVERIFY(program && program != listen);
        auto* txt = w.control<QWidget>("txtDisplay");
        auto* bar = w.control<QWidget>("prgbarSchool");
        auto* percent = w.control<QWidget>("lblSchoolCompleted");
        auto refresh = [&] {
            heard.clear();
            QAccessibleTextUpdateEvent text(txt, 0, QStringLiteral("45"), QStringLiteral("44"));
            QAccessibleValueChangeEvent value(bar, 71.4);
            QAccessibleEvent name(percent, QAccessible::NameChanged);
            for (QAccessibleEvent* e : std::initializer_list<QAccessibleEvent*>{&text, &value, &name})
                program(e);
        };
        txt->clearFocus(); // the window opens with the focus on the display
        refresh();
        QCOMPARE(heard, QStringList());
        txt->setFocus();
        refresh();
        QCOMPARE(heard, QStringList{QStringLiteral("txtDisplay")});
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"

// The About box as a user meets it: its window, stacking, link colours, links and keys.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"

#include <QApplication>
#include <QtTest>

namespace {

constexpr quint32 LightBlue = ui::colors::LightBlue;
constexpr quint32 Red = ui::colors::Red;

// Opens the About box and waits until it can take input.
FrmAbout& openAbout(TestForms& t)
{
    FrmAbout& about = t.forms.frmAbout();
    about.show();
    if (!QTest::qWaitForWindowActive(about.window()))
        qWarning("About box never became active");
    return about;
}

ui::Label* label(FrmAbout& a, const char* name) { return a.control<ui::Label>(name); }
QPoint centre(FrmAbout& a, const char* name)
{
    return a.control<QWidget>(name)->geometry().center();
}

} // namespace

// The fore colours of the two links, website first.
#define CHECK_LINKS(a, website, psc)                                                            \
    do {                                                                                        \
        QCOMPARE(label(a, "lblWebsite")->foreColor(), website);                                 \
        QCOMPARE(label(a, "lblPSClink")->foreColor(), psc);                                     \
    } while (false)

class AboutTest : public QObject {
    Q_OBJECT

    // Moves the pointer to `pos` in the About box's client area, through the window system
    // so that the control under the pointer gets the move.
    static void moveTo(FrmAbout& a, QPoint pos)
    {
        QTest::mouseMove(a.window()->windowHandle(), pos);
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void openedAndDrawn()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        QCOMPARE(a.window()->windowTitle(), QStringLiteral("About Tasselday"));
        QCOMPARE(label(a, "lblVersion")->text(), QStringLiteral("Version 1.0.21"));
        // The picture box fits its 32 x 32 picture inside a two-pixel border.
        auto* pic = a.control<ui::Picture>("picIcon");
        QCOMPARE(pic->geometry(), QRect(16, 16, 36, 36));
        QCOMPARE(pic->pixmap().toImage(), ui::aboutIconPixmap().toImage());
        // Both links are underlined and show the link hand over their whole rectangle.
        const QCursor hand = ui::linkHandCursor();
        for (const char* name : {"lblWebsite", "lblPSClink"}) {
            QVERIFY2(label(a, name)->font().underline(), name);
            const QCursor c = label(a, name)->cursor();
            QCOMPARE(c.pixmap().toImage(), hand.pixmap().toImage());
            QCOMPARE(c.hotSpot(), hand.hotSpot());
        }

        // The client area, not the frame, sits at 2340/1935 twips.
        QTRY_COMPARE(a.window()->geometry().topLeft(), QPoint(156, 129));
        const QImage shot = a.window()->grab().toImage();
        auto pixel = [&](int x, int y) { return ui::toBgr(shot.pixelColor(x, y)); };
        // The frame is drawn over the opaque heading it shares its top left corner with.
        QCOMPARE(pixel(200, 96), LightBlue);
        QCOMPARE(pixel(64, 104), LightBlue);
        // The grey one-pixel line lies over the top row of the white two-pixel one.
        QCOMPARE(pixel(100, 192), 0x00808080u);
        QCOMPARE(pixel(100, 193), ui::colors::White);
        // Where the link overlaps the heading by one row, the link is on top.
        QCOMPARE(a.window()->childAt(100, 112), label(a, "lblPSClink"));
        QCOMPARE(a.window()->childAt(100, 111), label(a, "Label3"));
    }

    // A link turns red under the pointer and back to light blue over bare background,
    // which includes the frame and the lines; other controls change nothing.
    void linkColoursFollowThePointer()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        const QRect psc = label(a, "lblPSClink")->geometry();
        const QPoint website = centre(a, "lblWebsite"), bare(30, 120);
        const struct {
            QPoint at;
            quint32 website, psc;
        } steps[] = {
            {website, Red, LightBlue},
            {centre(a, "picIcon"), Red, LightBlue},
            {centre(a, "cmdOK"), Red, LightBlue},
            {centre(a, "lblTitle"), Red, LightBlue},
            {centre(a, "Label2"), Red, LightBlue},
            {bare, LightBlue, LightBlue},
            // The corner of the link's rectangle, far from its text, is part of it.
            {psc.bottomRight(), LightBlue, Red},
            // Straight from one link onto the other: both stay red.
            {website, Red, Red},
            {bare, LightBlue, LightBlue},
            {psc.center(), LightBlue, Red},
            {website, Red, Red},
            {QPoint(64, 140), LightBlue, LightBlue}, // the frame's left edge
            {website, Red, LightBlue},
            {QPoint(100, 193), LightBlue, LightBlue}, // the engraved line
            // Up onto the heading, which the link overlaps by one row: it stays red.
            {QPoint(100, 118), LightBlue, Red},
            {QPoint(100, 112), LightBlue, Red},
            {QPoint(100, 111), LightBlue, Red},
            // Right towards Label1 across the five-pixel strip of background.
            {QPoint(180, 118), LightBlue, Red},
            {QPoint(189, 118), LightBlue, LightBlue},
            {QPoint(195, 118), LightBlue, LightBlue},
        };
        for (const auto& step : steps) {
            moveTo(a, step.at);
            const QString at = QStringLiteral("at %1,%2").arg(step.at.x()).arg(step.at.y());
            QVERIFY2(label(a, "lblWebsite")->foreColor() == step.website, qPrintable(at));
            QVERIFY2(label(a, "lblPSClink")->foreColor() == step.psc, qPrintable(at));
        }
    }

    void linksOpenTheirPagesWithoutClosing()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        ui::Label* website = label(a, "lblWebsite");
        moveTo(a, website->geometry().bottomRight());
        QTest::mouseClick(website, Qt::LeftButton, {}, website->rect().bottomRight());
        QTest::mouseClick(label(a, "lblPSClink"), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(label(a, "Label1"), Qt::LeftButton);
        QCOMPARE(t.urls.opened,
                 (QStringList{"https://tasselday.github.io/", "https://github.com/"}));
        // Clicking leaves the colours as the pointer made them.
        CHECK_LINKS(a, Red, LightBlue);
        QVERIFY(a.isLoaded());
        QVERIFY(t.messages.shown.isEmpty());
    }

    void tabOrderStartsAtOK()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        QTRY_COMPARE(QApplication::focusWidget(), a.control<QWidget>("cmdOK"));
        for (const char* next : {"picIcon", "cmdSysInfo", "cmdOK"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), a.control<QWidget>(next));
        }
    }

    // Escape closes the box; Enter presses OK unless System Info has the focus; Alt+S
    // presses System Info from anywhere. The registry here holds nothing, so System Info
    // answers with its message.
    void keysGoWhereTheyBelong_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("closes");
        for (const char* focus : {"cmdOK", "picIcon", "cmdSysInfo"})
            QTest::addRow("Escape on %s", focus) << int(Qt::Key_Escape) << focus << true;
        for (const char* focus : {"cmdOK", "picIcon"}) {
            QTest::addRow("Return on %s", focus) << int(Qt::Key_Return) << focus << true;
            QTest::addRow("Enter on %s", focus) << int(Qt::Key_Enter) << focus << true;
        }
        QTest::newRow("Return on cmdSysInfo") << int(Qt::Key_Return) << "cmdSysInfo" << false;
        QTest::newRow("Alt+S on cmdOK") << (Qt::ALT | Qt::Key_S).toCombined() << "cmdOK" << false;
    }
    void keysGoWhereTheyBelong()
    {
        QFETCH(int, keys);
        QFETCH(QString, focus);
        QFETCH(bool, closes);
        TestForms t;
        FrmAbout& a = openAbout(t);
        QWidget* w = a.control<QWidget>(focus.toLatin1().constData());
        w->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w);
        const QKeyCombination k = QKeyCombination::fromCombined(keys);
        QTest::keyClick(w, k.key(), k.keyboardModifiers());
        // A shortcut presses its button visibly, which takes a moment.
        QTRY_COMPARE(t.messages.shown.size(), closes ? 0 : 1);
        QCOMPARE(a.isLoaded(), !closes);
    }

    void openedFromTheMainWindowAndClosedWithIt()
    {
        TestForms t;
        auto& main = t.forms.frmTasselday();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(main.window()));
        ui::Label* aboutLabel = main.control<ui::Label>("lblAbout");
        QTest::mouseClick(aboutLabel, Qt::LeftButton);
        QTest::mouseClick(aboutLabel, Qt::LeftButton);
        FrmAbout& a = t.forms.frmAbout();
        QVERIFY(a.isLoaded());
        int boxes = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            boxes += top->isVisible() && top->windowTitle() == QStringLiteral("About Tasselday");
        QCOMPARE(boxes, 1);

        // Escape closes only the box; the main window and the program carry on.
        QVERIFY(QTest::qWaitForWindowActive(a.window()));
        CHECK_LINKS(a, LightBlue, LightBlue);
        moveTo(a, centre(a, "lblPSClink"));
        moveTo(a, centre(a, "lblWebsite"));
        CHECK_LINKS(a, Red, Red);
        QTest::keyClick(a.control<QWidget>("cmdOK"), Qt::Key_Escape);
        QVERIFY(!a.isLoaded());
        QVERIFY(main.isLoaded());
        QCOMPARE(t.programEnds, 0);
        TestForms::flush();

        // Opened again, the links rest in light blue.
        QTest::mouseClick(aboutLabel, Qt::LeftButton);
        QVERIFY(a.isLoaded());
        CHECK_LINKS(a, LightBlue, LightBlue);
        QVERIFY(label(a, "lblWebsite")->font().underline());
        main.window()->close();
        QVERIFY(!a.isLoaded());
        QCOMPARE(t.programEnds, 1);
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

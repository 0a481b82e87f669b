// The About box as a user meets it: its window, stacking, link colours, links and keys.
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QApplication>
#include <QtTest>

namespace {

constexpr quint32 LightBlue = ui::colors::LightBlue;
constexpr quint32 Red = ui::colors::Red;
const char* const kWebsite = "https://tasselday.github.io/";
const char* const kSourceSite = "https://github.com/";

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

quint32 pixel(const QImage& image, int x, int y) { return ui::vbColorOf(image.pixelColor(x, y)); }

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
    // so that the control under the pointer gets the move, and at once on any platform.
    static void moveTo(FrmAbout& a, QPoint pos)
    {
        QTest::mouseMove(a.window()->windowHandle(), pos);
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void windowFrameSizeAndPlace()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        QWidget* w = a.window();
        const Qt::WindowFlags flags = w->windowFlags();
        // A tool window: no taskbar button; closable but neither minimizable nor resizable.
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(w->minimumSize(), QSize(382, 264));
        QCOMPARE(w->maximumSize(), QSize(382, 264));
        QCOMPARE(ui::vbColorOf(w->palette().color(QPalette::Window)), ui::colors::Navy);
        // The client area, not the frame, sits at 2340/1935 twips.
        QTRY_COMPARE(w->geometry().topLeft(), QPoint(156, 129));
    }

    void pictureAndLabelsAsDrawn()
    {
        TestForms t;
        FrmAbout& a = t.forms.frmAbout();
        a.load();
        // The picture box fits its 32 x 32 picture inside a two-pixel sunken border.
        auto* pic = a.control<ui::Picture>("picIcon");
        QCOMPARE(pic->geometry(), QRect(16, 16, 36, 36));
        QCOMPARE(pic->frameShadow(), QFrame::Sunken);
        QCOMPARE(pic->pixmap().size(), QSize(32, 32));
        QCOMPARE(pic->pixmap().toImage(), ui::aboutIconPixmap().toImage());
        QCOMPARE(ui::vbColorOf(pic->palette().color(QPalette::Window)), LightBlue);

        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "lblWebsite",
                                 "lblPSClink", "lblTitle", "lblVersion", "lblDescription",
                                 "lblDisclaimer"}) {
            ui::Label* l = label(a, name);
            QVERIFY2(l->autoFillBackground() && l->wordWrap(), name);
            QCOMPARE(l->focusPolicy(), Qt::NoFocus);
        }
    }

    void stackingShowsFrameAndEngravedLine()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        const QImage shot = a.window()->grab().toImage();
        // The frame is drawn over the opaque heading it shares its top left corner with.
        QCOMPARE(pixel(shot, 200, 96), LightBlue);
        QCOMPARE(pixel(shot, 64, 104), LightBlue);
        // The grey one-pixel line lies over the top row of the white two-pixel one.
        QCOMPARE(pixel(shot, 100, 192), 0x00808080u);
        QCOMPARE(pixel(shot, 100, 193), ui::colors::White);
        // Where the link overlaps the heading by one row, the link is on top.
        QCOMPARE(a.window()->childAt(100, 112), label(a, "lblPSClink"));
        QCOMPARE(a.window()->childAt(100, 111), label(a, "Label3"));
    }

    void loadFillsInTitleVersionAndLinks()
    {
        TestForms t;
        FrmAbout& a = t.forms.frmAbout();
        a.load();
        QCOMPARE(a.window()->windowTitle(), QStringLiteral("About Tasselday"));
        QCOMPARE(label(a, "lblVersion")->text(), QStringLiteral("Version 1.0.21"));
        QCOMPARE(label(a, "lblTitle")->text(), QStringLiteral("Tasselday"));
        QCOMPARE(label(a, "lblWebsite")->text(), QStringLiteral("tasselday.github.io"));
        QCOMPARE(label(a, "lblPSClink")->text(), QStringLiteral("-GitHub"));
        const QFont website = label(a, "lblWebsite")->font();
        QVERIFY(website.underline());
        QVERIFY(website.italic()); // the layout's style stays
        QCOMPARE(website.family(), label(a, "Label5")->font().family());
        QVERIFY(label(a, "lblPSClink")->font().underline());
        QVERIFY(!label(a, "Label1")->font().underline());
        CHECK_LINKS(a, LightBlue, LightBlue);

        // Both links show the link hand over their whole rectangle.
        const QCursor hand = ui::linkHandCursor();
        QVERIFY(!hand.pixmap().isNull());
        for (const char* name : {"lblWebsite", "lblPSClink"}) {
            const QCursor c = label(a, name)->cursor();
            QCOMPARE(c.pixmap().toImage(), hand.pixmap().toImage());
            QCOMPARE(c.hotSpot(), hand.hotSpot());
        }
        QCOMPARE(label(a, "Label1")->cursor().shape(), Qt::ArrowCursor);
    }

    void eachLinkTurnsRedUnderThePointer()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        moveTo(a, label(a, "lblWebsite")->geometry().center());
        CHECK_LINKS(a, Red, LightBlue);
        // Over other controls nothing changes.
        for (const char* name : {"picIcon", "cmdOK", "cmdSysInfo", "Label5", "lblDisclaimer",
                                 "lblTitle", "Label2"}) {
            moveTo(a, a.control<QWidget>(name)->geometry().center());
            CHECK_LINKS(a, Red, LightBlue);
        }
        // Back over bare background, left of the frame.
        moveTo(a, QPoint(30, 120));
        CHECK_LINKS(a, LightBlue, LightBlue);

        // The corner of the link's rectangle, far from its text, is part of it.
        const QRect psc = label(a, "lblPSClink")->geometry();
        moveTo(a, psc.bottomRight());
        CHECK_LINKS(a, LightBlue, Red);
        // Straight onto the other link: both stay red.
        moveTo(a, label(a, "lblWebsite")->geometry().center());
        CHECK_LINKS(a, Red, Red);
        // From one link to the other across background: only the second stays red.
        moveTo(a, QPoint(30, 120));
        moveTo(a, psc.center());
        CHECK_LINKS(a, LightBlue, Red);
    }

    void frameAndLinesCountAsBackground()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        const QPoint website = label(a, "lblWebsite")->geometry().center();
        moveTo(a, website);
        moveTo(a, QPoint(64, 140)); // on the frame's left edge
        CHECK_LINKS(a, LightBlue, LightBlue);
        moveTo(a, website);
        moveTo(a, QPoint(100, 193)); // on the engraved line
        CHECK_LINKS(a, LightBlue, LightBlue);
    }

    void leavingOntoNeighboursKeepsOrResetsTheColour()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        // Up onto the heading, which the link overlaps by one row: it stays red.
        moveTo(a, QPoint(100, 118));
        moveTo(a, QPoint(100, 112));
        moveTo(a, QPoint(100, 111));
        CHECK_LINKS(a, LightBlue, Red);

        // Right towards Label1 across the five-pixel strip of background: light blue again.
        moveTo(a, QPoint(180, 118));
        CHECK_LINKS(a, LightBlue, Red);
        moveTo(a, QPoint(189, 118));
        CHECK_LINKS(a, LightBlue, LightBlue);
        moveTo(a, QPoint(195, 118));
        CHECK_LINKS(a, LightBlue, LightBlue);
    }

    void linksOpenTheirPagesWithoutClosing()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        ui::Label* website = label(a, "lblWebsite");
        const QPoint corner = website->rect().bottomRight();
        moveTo(a, website->geometry().bottomRight());
        QTest::mouseClick(website, Qt::LeftButton, {}, corner);
        QTest::mouseClick(label(a, "lblPSClink"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(t.urls.opened, (QStringList{kWebsite, kSourceSite}));
        for (const QString& address : t.urls.opened) {
            QVERIFY(address.startsWith(QStringLiteral("https://")));
            QVERIFY(address.endsWith(QLatin1Char('/')));
        }
        // Clicking leaves the colours as the pointer made them.
        CHECK_LINKS(a, Red, LightBlue);
        QVERIFY(a.isLoaded());
        QVERIFY(t.messages.shown.isEmpty());
        // Clicks elsewhere open nothing.
        QTest::mouseClick(label(a, "Label1"), Qt::LeftButton);
        QCOMPARE(t.urls.opened.size(), 2);
    }

    void openingAgainShowsRestingLinks()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        moveTo(a, label(a, "lblPSClink")->geometry().center());
        moveTo(a, label(a, "lblWebsite")->geometry().center());
        CHECK_LINKS(a, Red, Red);
        QTest::keyClick(a.control<QWidget>("cmdOK"), Qt::Key_Escape);
        QVERIFY(!a.isLoaded());
        TestForms::flush();

        openAbout(t);
        CHECK_LINKS(a, LightBlue, LightBlue);
        QCOMPARE(label(a, "lblVersion")->text(), QStringLiteral("Version 1.0.21"));
        QVERIFY(label(a, "lblWebsite")->font().underline());
        QTRY_COMPARE(a.window()->geometry().topLeft(), QPoint(156, 129));
    }

    void tabOrderStartsAtOK()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        QWidget* ok = a.control<QWidget>("cmdOK");
        QWidget* pic = a.control<QWidget>("picIcon");
        QWidget* sys = a.control<QWidget>("cmdSysInfo");
        QTRY_COMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pic);
        QTest::keyClick(pic, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sys);
        QTest::keyClick(sys, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    void escapeClosesWhateverHasTheFocus()
    {
        TestForms t;
        for (const char* name : {"cmdOK", "picIcon", "cmdSysInfo"}) {
            FrmAbout& a = openAbout(t);
            QWidget* focus = a.control<QWidget>(name);
            focus->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), focus);
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY2(!a.isLoaded(), name);
            TestForms::flush();
        }
        QVERIFY(t.messages.shown.isEmpty());
        QVERIFY(t.starter.started.isEmpty());
    }

    void enterPressesOKUnlessSystemInfoHasTheFocus()
    {
        TestForms t;
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
            for (const char* name : {"cmdOK", "picIcon"}) {
                FrmAbout& a = openAbout(t);
                QWidget* focus = a.control<QWidget>(name);
                focus->setFocus();
                QTest::keyClick(focus, key);
                QVERIFY2(!a.isLoaded(), name);
                TestForms::flush();
            }
        }
        QVERIFY(t.messages.shown.isEmpty());

        // The registry here holds nothing, so System Info answers with its message.
        FrmAbout& a = openAbout(t);
        QWidget* sys = a.control<QWidget>("cmdSysInfo");
        sys->setFocus();
        QTest::keyClick(sys, Qt::Key_Return);
        QVERIFY(a.isLoaded());
        QCOMPARE(t.messages.shown.size(), 1);
        QCOMPARE(t.messages.shown.at(0).text,
                 QStringLiteral("System Information Is Unavailable At This Time"));
    }

    void systemInfoByClickAndAltS()
    {
        TestForms t;
        const QByteArray path = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
        t.registry.set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", ui::reg::REG_SZ,
                       path + '\0');
        FrmAbout& a = openAbout(t);
        QTest::mouseClick(a.control<QWidget>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(t.starter.started, QStringList{QString::fromLatin1(path)});
        // Alt+S from wherever the focus is.
        QWidget* ok = a.control<QWidget>("cmdOK");
        ok->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(t.starter.started.size(), 2); // a shortcut presses the button visibly

        QVERIFY(t.messages.shown.isEmpty());
        QVERIFY(a.isLoaded());
        QCOMPARE(t.registry.openHandles, 0);
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
        QTest::keyClick(a.control<QWidget>("cmdOK"), Qt::Key_Escape);
        QVERIFY(!a.isLoaded());
        QVERIFY(main.isLoaded());
        QCOMPARE(t.programEnds, 0);

        QTest::mouseClick(aboutLabel, Qt::LeftButton);
        QVERIFY(a.isLoaded());
        main.window()->close();
        QVERIFY(!a.isLoaded());
        QCOMPARE(t.programEnds, 1);
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

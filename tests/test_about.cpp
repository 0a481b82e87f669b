// The About box as a user meets it, and the desktop's own system information tool.
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"
#include <QtTest>

namespace {

constexpr quint32 Blue = ui::colors::LightBlue, Red = ui::colors::Red;

// Entries under $XDG_DATA_HOME and $XDG_DATA_DIRS, each with an action whose Exec is not the
// entry's: an earlier name wins wherever it lies; a name's first entry counts, even hidden.
const struct {
    const char *file, *keys;
} kEntries[] = {
    {"home/applications/gnome-info-overview-panel.desktop", "Exec=/bin/false"},
    {"home/applications/org.kde.kinfocenter.desktop", "Exec=/bin/true\nHidden=true"},
    {"dirs/applications/org.kde.kinfocenter.desktop", "Exec=/bin/false"},
    {"dirs/applications/kinfocenter.desktop", "Exec=/bin/true \"a\\sb\" %U"},
};

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    // OK focused first, the icon in the Tab order. A link turns red under the pointer and back
    // over bare background, lines included; other controls and the other link change nothing;
    // clicks open pages. The box goes with the main window.
    void asTheUserMeetsIt()
    {
        TestForms t;
        auto& main = t.forms.frmTasselday();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(main.window()));
        QTest::mouseClick(main.controls().lblAbout, Qt::LeftButton);
        FrmAbout& a = t.forms.frmAbout();
        const FrmAboutControls& c = a.controls();
        QVERIFY(QTest::qWaitForWindowActive(a.window()));
        QCOMPARE(c.lblVersion->text() + c.lblTitle->text(), "Version 1.0.21Tasselday");
        for (QWidget* next : QWidgetList {c.cmdOK, c.picIcon, c.cmdSysInfo, c.cmdOK}) {
            QTRY_COMPARE(QApplication::focusWidget(), next);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // Where the pointer goes, and the website's and GitHub's link colours there.
        const struct {
            const char* where;
            QPoint at;
            quint32 website, github;
        } steps[] = {{"website", c.lblWebsite->geometry().center(), Red, Blue},
            {"OK", c.cmdOK->pos(), Red, Blue},
            {"GitHub's corner", c.lblPSClink->geometry().bottomRight(), Red, Red},
            {"the lines", QPoint(100, 193), Blue, Blue}};
        for (const auto& step : steps) {
            QTest::mouseMove(a.window()->windowHandle(), step.at); // to the control under it
            QVERIFY2(ui::roleColor(c.lblWebsite, QPalette::WindowText) == step.website
                    && ui::roleColor(c.lblPSClink, QPalette::WindowText) == step.github,
                step.where);
        }
        QTest::mouseClick(c.lblWebsite, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseClick(c.lblPSClink, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(c.lblTitle, Qt::LeftButton);
        QCOMPARE(
            t.urls.opened, (QStringList {"https://tasselday.github.io/", "https://github.com/"}));
        main.window()->close();
        QVERIFY(!a.isLoaded() && t.programEnds == 1);
    }

    // The desktop's own tool, found through its desktop entries, escapes read and field codes
    // dropped; the real starter starts a command and tells a missing one apart.
    void desktopsOwnTool()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows names its tool in the registry alone");
#endif
        QTemporaryDir scratch;
        qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath("home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(scratch.filePath("dirs")));
        for (const auto& [file, keys] : kEntries) {
            QVERIFY(QDir(scratch.path()).mkpath(QFileInfo(file).path()));
            QFile entry(scratch.filePath(file));
            QVERIFY(entry.open(QIODevice::WriteOnly));
            entry.write(QByteArray("[Desktop Entry]\nType=Application\n") + keys
                + "\n[Desktop Action x]\nExec=/bin/false\n");
        }
        TestForms t;
        t.forms.frmAbout().load();
        t.forms.frmAbout().controls().cmdSysInfo->click();
        QCOMPARE(t.starter.started, (QList<QStringList> {{"/bin/true", "a b"}}));
        QVERIFY(t.desktop.start("/bin/true", {"a b"}) && !t.desktop.start("/nonexistent", {}));
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

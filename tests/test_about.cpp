// The About box as a user meets it, and the desktop's own system information tool.
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"

namespace {

constexpr quint32 Blue = ui::colors::LightBlue, Red = ui::colors::Red;

// Desktop entries at $XDG_DATA_HOME and $XDG_DATA_DIRS: "file:Exec[:more lines]"; the command
// started, none for the message.
struct Entry {
    const char *name, *home, *dirs;
    QStringList started;
};
// clang-format off
const Entry kEntries[] = {
    {.name = "names in their order, escape read, field code dropped",
     .home = "gnome-info-overview-panel.desktop:/bin/false",
     .dirs = "org.kde.kinfocenter.desktop:/bin/true \"a\\sb\" %U", .started = {"/bin/true", "a b"}},
    {.name = "hidden at home", .home = "org.kde.kinfocenter.desktop:/bin/true:Hidden=true",
     .dirs = "org.kde.kinfocenter.desktop:/bin/true", .started = {}},
};
// clang-format on

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
        QTRY_COMPARE(QApplication::focusWidget(), c.cmdOK);
        for (QWidget* next : std::initializer_list<QWidget*> {c.picIcon, c.cmdSysInfo, c.cmdOK}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
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

    // The desktop's own tool, found through its desktop entries, and the message when none
    // serves; the real starter starts a command and tells a missing one apart.
    void desktopsOwnTool_data() { rows::add(kEntries); }
    void desktopsOwnTool()
    {
        const Entry& r = rows::fetch(kEntries);
#ifdef Q_OS_WIN
        QSKIP("Windows names its tool in the registry alone");
#endif
        TestForms t;
        QTemporaryDir scratch;
        for (const auto& [var, entry] :
            {std::pair {"XDG_DATA_HOME", r.home}, {"XDG_DATA_DIRS", r.dirs}}) {
            const QString dir = scratch.filePath(QLatin1String(var));
            QVERIFY(QDir().mkpath(dir + "/applications"));
            qputenv(var, QFile::encodeName(dir));
            const QStringList lines = QString(entry).split(':');
            QFile file(dir + "/applications/" + lines.at(0));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(("[Desktop Entry]\nType=Application\nExec=" + lines.mid(1).join('\n')
                + "\n[Desktop Action x]\nExec=/bin/false\n")
                           .toUtf8());
        }
        t.forms.frmAbout().load();
        t.forms.frmAbout().controls().cmdSysInfo->click();
        QCOMPARE(t.starter.started, QList<QStringList>(!r.started.isEmpty(), r.started));
        QCOMPARE(t.messages.shown.size(), int(r.started.isEmpty()));
        QVERIFY(t.desktop.start("/bin/true", {"a b"}) && !t.desktop.start("/nonexistent", {}));
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

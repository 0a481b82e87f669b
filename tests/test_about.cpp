// The About box as a user meets it, and its system information launcher against an
// in-memory registry, a file probe and a program starter that only record.
#include "about/frmabout.h"
#include "about/launcher.h"
#include "app/frmtasselday.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/desktop.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace ui::reg;

namespace {

constexpr quint32 Blue = ui::colors::LightBlue, Red = ui::colors::Red;
const char* const kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const QString kInFolder = QString::fromLatin1(kFolder) + "\\MSINFO32.EXE";
const QByteArray kTool = "C:\\Program Files\\x\\msinfo32.exe";

QByteArray sz(const QByteArray& text) { return text + '\0'; }

FrmAbout& openAbout(TestForms& t)
{
    FrmAbout& about = t.forms.frmAbout();
    about.show();
    if (!QTest::qWaitForWindowActive(about.window()))
        qWarning("About box never became active");
    return about;
}

QList<quint32> links(FrmAbout& a)
{
    return {ui::roleColor(a.controls().lblWebsite, QPalette::WindowText),
        ui::roleColor(a.controls().lblPSClink, QPalette::WindowText)};
}

// From OK, Tab goes to picIcon, then cmdSysInfo, then OK again.
struct KeyRow {
    const char* name;
    QKeyCombination key;
    int tabs; // before the key
    bool closes;
};
const KeyRow kKeys[] = {
    {.name = "Escape on System Info", .key = Qt::Key_Escape, .tabs = 2, .closes = true},
    {.name = "Enter on OK again", .key = Qt::Key_Enter, .tabs = 3, .closes = true},
    {.name = "Return on System Info", .key = Qt::Key_Return, .tabs = 2, .closes = false},
    {.name = "Alt+S on OK", .key = Qt::ALT | Qt::Key_S, .tabs = 0, .closes = false},
};

struct Search {
    const char* name;
    quint32 type = kText; // of the tool's value
    QByteArray tool = {}; // null: no such key
    bool fileThere = true; // the tool in the folder
    bool startWorks = true;
    QString started = {}; // null: nothing starts
    bool told = false; // the message that it is unavailable
};

// clang-format off
const Search kSearches[] = {
    {.name = "one terminator dropped", .tool = QByteArray("a.exe\0\0", 7),
     .started = QString::fromLatin1("a.exe\0", 6)},
    {.name = "number", .type = kNumber, .tool = QByteArray::fromHex("2C0100AB"),
     .started = "&hAB00012C"},
    {.name = "tool fails, folder not tried", .tool = sz(kTool), .startWorks = false,
     .started = kTool, .told = true},
    {.name = "no tool key", .started = kInFolder},
    {.name = "oversized tool value", .tool = QByteArray(1025, 'x'), .started = kInFolder},
    {.name = "tool value of 1024 bytes", .tool = QByteArray(1024, 'x'),
     .started = QString(1024, 'x')},
    {.name = "number's top byte of zero lost", .type = kNumber,
     .tool = QByteArray::fromHex("2C010000"), .started = "&h00012C"},
    {.name = "folder without the file", .fileThere = false, .told = true},
    {.name = "tool value of zero bytes", .tool = "", .told = true},
};
// clang-format on

// Desktop entries at $XDG_DATA_HOME and $XDG_DATA_DIRS: "file:Exec[:more lines]"; what
// starts, its arguments joined by "|" as the fake starter records them.
struct EntryRow {
    const char* name;
    const char* home;
    const char* dirs;
    const char* started;
};
const EntryRow kEntries[] = {
    {.name = "escape read, field code dropped",
        .home = "",
        .dirs = "org.kde.kinfocenter.desktop:/bin/true \"a\\sb\" %U",
        .started = "/bin/true|a b"},
    {.name = "KDE before GNOME",
        .home = "gnome-info-overview-panel.desktop:/bin/false",
        .dirs = "org.kde.kinfocenter.desktop:/bin/true",
        .started = "/bin/true"},
    {.name = "hidden at home",
        .home = "org.kde.kinfocenter.desktop:/bin/true:Hidden=true",
        .dirs = "org.kde.kinfocenter.desktop:/bin/true",
        .started = ""},
};

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    // One box however often the main window asks. A link turns red under the pointer and
    // back over bare background (frame and lines included); other controls change nothing;
    // clicks open pages. Escape closes only it; it opens afresh and goes with the main window.
    void textsAndLinks()
    {
        TestForms t;
        auto& main = t.forms.frmTasselday();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(main.window()));
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(main.controls().lblAbout, Qt::LeftButton);
        const auto tops = QApplication::topLevelWidgets();
        QCOMPARE(
            std::count_if(tops.begin(), tops.end(), [](auto* w) { return w->isVisible(); }), 2);
        FrmAbout& a = openAbout(t);
        const FrmAboutControls& c = a.controls();
        QCOMPARE(c.lblVersion->text(), QStringLiteral("Version 1.0.21"));
        QCOMPARE(c.lblTitle->text(), QStringLiteral("Tasselday"));
        QCOMPARE(c.picIcon->pixmap().toImage(), ui::aboutIconPixmap().toImage());
        for (const ui::Label* link : {c.lblWebsite, c.lblPSClink}) {
            const QCursor hand = link->cursor(), expected = ui::linkHandCursor();
            QVERIFY(link->font().underline() && hand.hotSpot() == expected.hotSpot());
            QCOMPARE(hand.pixmap().toImage(), expected.pixmap().toImage());
        }
        const QRect psc = c.lblPSClink->geometry();
        const QPoint website = c.lblWebsite->geometry().center();
        const std::tuple<QPoint, quint32, quint32> steps[]
            = {{website, Red, Blue}, {c.cmdOK->pos(), Red, Blue}, {QPoint(30, 120), Blue, Blue},
                {psc.bottomRight(), Blue, Red}, {website, Red, Red}, {QPoint(64, 140), Blue, Blue},
                {psc.center(), Blue, Red}, {QPoint(100, 111), Blue, Red},
                {QPoint(189, 118), Blue, Blue}, {website, Red, Blue},
                {QPoint(100, 193), Blue, Blue}, {website, Red, Blue}};
        for (const auto& [at, web, source] : steps) {
            QTest::mouseMove(a.window()->windowHandle(), at); // to the control under it
            QVERIFY2(links(a) == (QList<quint32> {web, source}),
                qPrintable(QStringLiteral("at %1,%2").arg(at.x()).arg(at.y())));
        }
        QTest::mouseClick(c.lblWebsite, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseClick(c.lblPSClink, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(c.lblTitle, Qt::LeftButton);
        QCOMPARE(
            t.urls.opened, (QStringList {"https://tasselday.github.io/", "https://github.com/"}));
        QCOMPARE(links(a), (QList<quint32> {Red, Blue}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!a.isLoaded() && main.isLoaded() && t.programEnds == 0);
        TestForms::flush();
        QTest::mouseClick(main.controls().lblAbout, Qt::LeftButton);
        QCOMPARE(links(a), (QList<quint32> {Blue, Blue}));
        main.window()->close();
        QVERIFY(!a.isLoaded() && t.programEnds == 1 && t.messages.shown.isEmpty());
    }

    // OK has the focus first; Escape closes from anywhere; Enter presses OK unless System
    // Info has the focus; Alt+S presses System Info, whose empty registry gives the message.
    void keysGoWhereTheyBelong_data() { rows::add(kKeys); }
    void keysGoWhereTheyBelong()
    {
        const auto& [name, key, tabs, closes] = rows::fetch(kKeys);
        TestForms t;
        FrmAbout& a = openAbout(t);
        QTRY_COMPARE(QApplication::focusWidget(), a.controls().cmdOK);
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* order[]
            = {a.controls().cmdOK, a.controls().picIcon, a.controls().cmdSysInfo};
        QCOMPARE(QApplication::focusWidget(), order[tabs % 3]);
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        QTRY_COMPARE(t.messages.shown.size(), closes ? 0 : 1); // a shortcut presses visibly
        QCOMPARE(a.isLoaded(), !closes);
    }

    // The tool's own key first, its text without one terminator, a number as "&h" and hex;
    // the folder only when that key can't be read; any failure ends in one message, on each
    // request afresh; every key is closed again.
    void startSysInfo_data() { rows::add(kSearches); }
    void startSysInfo()
    {
        const auto& [name, type, tool, fileThere, startWorks, startedPath, told]
            = rows::fetch(kSearches);
        TestForms t;
        t.registry.grantedAccess = kReadAccess; // an ordinary user
        if (!tool.isNull())
            t.registry.set(sysinfo::kToolKey, "PATH", type, tool.toStdString());
        t.registry.set(sysinfo::kFolderKey, "MSINFO", kText, sz(kFolder).toStdString());
        if (fileThere)
            t.files.existing << kInFolder;
        t.starter.succeed = startWorks;
        t.forms.frmAbout().load();
        for (int request = 1; request <= 2; ++request) {
            t.forms.frmAbout().controls().cmdSysInfo->click();
            const QStringList started(startedPath.isNull() ? 0 : request, startedPath);
            QCOMPARE(t.starter.started, started);
            QCOMPARE(t.messages.shown.size(), told ? request : 0);
        }
        for (const auto& m : t.messages.shown)
            QVERIFY(m.text == sysinfo::kUnavailable && m.title == "Tasselday"
                && m.icon == ui::MessageDialog::Icon::None);
        QCOMPARE(t.registry.openHandles, 0);
    }

    // Without a registry, the desktop's own tool is found through its desktop entries; the
    // real starter starts a command and tells a missing one apart.
    void desktopsOwnTool_data() { rows::add(kEntries); }
    void desktopsOwnTool()
    {
        const auto& [name, home, dirs, startedPath] = rows::fetch(kEntries);
#ifdef Q_OS_WIN
        QSKIP("Windows names its tool in the registry alone");
#endif
        TestForms t;
        QTemporaryDir scratch;
        for (const auto& [var, entry] :
            {std::pair {"XDG_DATA_HOME", home}, {"XDG_DATA_DIRS", dirs}}) {
            const QString dir = scratch.filePath(QLatin1String(var));
            QVERIFY(QDir().mkpath(dir + "/applications"));
            qputenv(var, QFile::encodeName(dir));
            const QStringList lines = QString(entry).split(':');
            QFile file(dir + "/applications/" + lines.at(0));
            if (lines.size() > 1 && file.open(QIODevice::WriteOnly))
                file.write(("[Desktop Entry]\nName=Info\nType=Application\nExec=" + lines.at(1)
                    + '\n' + lines.mid(2).join('\n') + "\n[Desktop Action x]\nExec=/bin/false\n")
                               .toUtf8());
        }
        t.forms.frmAbout().load();
        t.forms.frmAbout().controls().cmdSysInfo->click();
        const QString started = startedPath;
        QCOMPARE(t.starter.started, started.isEmpty() ? QStringList() : QStringList {started});
        QCOMPARE(t.messages.shown.size(), int(started.isEmpty()));
        ui::Desktop real;
        QVERIFY(real.start("/bin/true", {"a b"}) && !real.start("/nonexistent", {}));
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

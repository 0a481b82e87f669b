// The About box as a user meets it, and its system information launcher against an
// in-memory registry, a file probe and a program starter that only record.
#include "about/frmabout.h"
#include "about/sysinfo.h"
#include "app/frmtasselday.h"
#include "support/testforms.h"
#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/registry.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

using namespace ui::reg;

namespace {

constexpr quint32 Blue = ui::colors::LightBlue, Red = ui::colors::Red;
const QByteArray kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QByteArray kTool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const QByteArray kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const QString kInFolder = QString::fromLatin1(kFolder) + QStringLiteral("\\MSINFO32.EXE");

QByteArray sz(const QByteArray& text) { return text + '\0'; }

void set(TestForms& t, const QByteArray& key, const char* name, quint32 type, const QByteArray& bytes)
{
    t.registry.set(key.toStdString(), name, type, bytes.toStdString());
}

FrmAbout& openAbout(TestForms& t)
{
    FrmAbout& about = t.forms.frmAbout();
    about.show();
    if (!QTest::qWaitForWindowActive(about.window()))
        qWarning("About box never became active");
    return about;
}

ui::Label* label(FrmAbout& a, const char* name) { return a.control<ui::Label>(name); }
QList<quint32> links(FrmAbout& a)
{
    return {label(a, "lblWebsite")->foreColor(), label(a, "lblPSClink")->foreColor()};
}
// Through the window system, so that the control under the pointer gets the move.
void moveTo(FrmAbout& a, QPoint pos) { QTest::mouseMove(a.window()->windowHandle(), pos); }

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void openedAndDrawn()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        QCOMPARE(a.window()->windowTitle(), QStringLiteral("About Tasselday"));
        QCOMPARE(label(a, "lblVersion")->text(), QStringLiteral("Version 1.0.21"));
        QCOMPARE(label(a, "lblTitle")->text(), QStringLiteral("Tasselday"));
        auto* pic = a.control<ui::Picture>("picIcon");
        QCOMPARE(pic->geometry(), QRect(16, 16, 36, 36)); // its picture inside a 2-pixel border
        QCOMPARE(pic->pixmap().toImage(), ui::aboutIconPixmap().toImage());
        for (const char* name : {"lblWebsite", "lblPSClink"}) {
            QVERIFY2(label(a, name)->font().underline(), name);
            QCOMPARE(label(a, name)->cursor().hotSpot(), ui::linkHandCursor().hotSpot());
            QCOMPARE(label(a, name)->cursor().pixmap().toImage(), ui::linkHandCursor().pixmap().toImage());
        }
        const QImage shot = a.window()->grab().toImage();
        QCOMPARE(ui::toBgr(shot.pixelColor(200, 96)), Blue); // the frame over the heading
        QCOMPARE(ui::toBgr(shot.pixelColor(100, 192)), 0x00808080u); // an engraved line
        QCOMPARE(ui::toBgr(shot.pixelColor(100, 193)), ui::colors::White);
    }

    // A link turns red under the pointer and back over bare background (frame and lines
    // included); other controls change nothing; clicks open pages and leave the colours.
    void linksFollowThePointerAndOpenPages()
    {
        TestForms t;
        FrmAbout& a = openAbout(t);
        const QRect psc = label(a, "lblPSClink")->geometry();
        const QPoint website = label(a, "lblWebsite")->geometry().center();
        const std::tuple<QPoint, quint32, quint32> steps[] = {
            {website, Red, Blue}, {a.control<QWidget>("cmdOK")->geometry().center(), Red, Blue},
            {label(a, "Label2")->geometry().center(), Red, Blue}, {QPoint(30, 120), Blue, Blue},
            {psc.bottomRight(), Blue, Red}, {website, Red, Red}, {QPoint(64, 140), Blue, Blue},
            {psc.center(), Blue, Red}, {QPoint(100, 111), Blue, Red}, {QPoint(189, 118), Blue, Blue},
            {website, Red, Blue}, {QPoint(100, 193), Blue, Blue}, {website, Red, Blue}};
        for (const auto& [at, web, source] : steps) {
            moveTo(a, at);
            QVERIFY2(links(a) == (QList<quint32>{web, source}),
                     qPrintable(QStringLiteral("at %1,%2").arg(at.x()).arg(at.y())));
        }
        QTest::mouseClick(label(a, "lblWebsite"), Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseClick(label(a, "lblPSClink"), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(label(a, "Label1"), Qt::LeftButton);
        QCOMPARE(t.urls.opened, (QStringList{"https://tasselday.github.io/", "https://github.com/"}));
        QCOMPARE(links(a), (QList<quint32>{Red, Blue}));
        QVERIFY(a.isLoaded() && t.messages.shown.isEmpty());
    }

    // OK has the focus first; Escape closes from anywhere; Enter presses OK unless System
    // Info has the focus; Alt+S presses System Info, whose empty registry gives the message.
    void keysGoWhereTheyBelong_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("tabs"); // from OK: picIcon, then cmdSysInfo, then OK again
        QTest::addColumn<bool>("closes");
        for (int tabs : {0, 1, 2, 3})
            QTest::addRow("Escape after %d tabs", tabs) << int(Qt::Key_Escape) << tabs << true;
        for (int tabs : {0, 1, 3}) {
            QTest::addRow("Return after %d tabs", tabs) << int(Qt::Key_Return) << tabs << true;
            QTest::addRow("Enter after %d tabs", tabs) << int(Qt::Key_Enter) << tabs << true;
        }
        QTest::newRow("Return on System Info") << int(Qt::Key_Return) << 2 << false;
        QTest::newRow("Alt+S on OK") << (Qt::ALT | Qt::Key_S).toCombined() << 0 << false;
    }
    void keysGoWhereTheyBelong()
    {
        QFETCH(int, keys);
        QFETCH(int, tabs);
        QFETCH(bool, closes);
        TestForms t;
        FrmAbout& a = openAbout(t);
        QTRY_COMPARE(QApplication::focusWidget(), a.control<QWidget>("cmdOK"));
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const char* const order[] = {"cmdOK", "picIcon", "cmdSysInfo"};
        QCOMPARE(QApplication::focusWidget(), a.control<QWidget>(order[tabs % 3]));
        const QKeyCombination k = QKeyCombination::fromCombined(keys);
        QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
        QTRY_COMPARE(t.messages.shown.size(), closes ? 0 : 1); // a shortcut presses visibly
        QCOMPARE(a.isLoaded(), !closes);
    }

    // One box however often it is asked for; Escape closes only it; it opens afresh and
    // closes with the main window.
    void openedFromTheMainWindowAndClosedWithIt()
    {
        TestForms t;
        auto& main = t.forms.frmTasselday();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(main.window()));
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(main.control<ui::Label>("lblAbout"), Qt::LeftButton);
        const auto tops = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(tops.begin(), tops.end(), [](QWidget* w) { return w->isVisible() && w->windowTitle() == "About Tasselday"; }), 1);
        FrmAbout& a = openAbout(t);
        moveTo(a, label(a, "lblWebsite")->geometry().center());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!a.isLoaded() && main.isLoaded() && t.programEnds == 0);
        TestForms::flush();
        QTest::mouseClick(main.control<ui::Label>("lblAbout"), Qt::LeftButton);
        QCOMPARE(links(a), (QList<quint32>{Blue, Blue}));
        main.window()->close();
        QVERIFY(!a.isLoaded() && t.programEnds == 1);
    }

    // "where" spoils the lookup: "no key", "no value" or "denied".
    void getKeyValue_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected"); // "!": the empty-value error
        const QString x1024(1024, QLatin1Char('x'));
        QTest::newRow("terminated") << "" << kText << sz("a b") << true << "a b";
        QTest::newRow("unterminated") << "" << kText << QByteArray("a b") << true << "a b";
        QTest::newRow("one terminator dropped") << "" << kText << QByteArray("ab\0\0", 4) << true
                                                << QString::fromLatin1("ab\0", 3);
        QTest::newRow("1024 bytes kept") << "" << kText << x1024.toLatin1() << true << x1024;
        QTest::newRow("1025 bytes refused") << "" << kText << sz(x1024.toLatin1()) << false << "";
        QTest::newRow("zero bytes") << "" << kText << QByteArray() << false << "!";
        QTest::newRow("number") << "" << kNumber << QByteArray::fromHex("785634AB") << true << "&hAB345678";
        QTest::newRow("number, zero top byte")
            << "" << kNumber << QByteArray::fromHex("2C010000") << true << "&h00012C";
        QTest::newRow("expandable text") << "" << kExpandableText << sz("%x%") << true << "left over";
        QTest::newRow("binary") << "" << kBinary << sz("x") << true << "left over";
        for (const char* where : {"no key", "no value", "denied"})
            QTest::newRow(where) << where << kText << sz("x") << false << "";
    }
    void getKeyValue()
    {
        QFETCH(QString, where);
        QFETCH(quint32, type);
        QFETCH(QByteArray, stored);
        QFETCH(bool, found);
        QFETCH(QString, expected);
        TestForms t;
        t.registry.grantedAccess = kReadAccess; // an ordinary user
        set(t, where == "no key" ? "L" : "K", where == "no value" ? "W" : "V", type, stored);
        if (where == "denied")
            t.registry.deniedKeys.push_back("K");
        QString value = type == kNumber ? QString() : QStringLiteral("left over");
        auto read = [&] { return t.forms.frmAbout().GetKeyValue(kLocalMachine, "K", "V", value); };
        if (expected == "!")
            QVERIFY_THROWS_EXCEPTION(sysinfo::EmptyValueError, read());
        else
            QCOMPARE(read(), found);
        QCOMPARE(value, expected == "!" ? QStringLiteral("left over") : expected);
        QCOMPARE(t.registry.opens.size(), size_t(1));
        QCOMPARE(t.registry.openHandles, 0); // closed on every way out
    }

    // The tool's own key first; the folder only when that key can't be read; any failure
    // ends in one message. A null "tool" means no such key.
    void startSysInfo_data()
    {
        QTest::addColumn<QByteArray>("tool");
        QTest::addColumn<bool>("folderKey");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<int>("keysRead");
        const QStringList tool{QString::fromLatin1(kTool)}, inFolder{kInFolder}, none;
        QTest::newRow("tool, blanks and all") << sz(kTool) << true << true << true << tool << 1;
        QTest::newRow("tool fails, folder not tried") << sz(kTool) << true << true << false << tool << 1;
        QTest::newRow("no tool key") << QByteArray() << true << true << true << inFolder << 2;
        QTest::newRow("oversized tool value") << QByteArray(1025, 'x') << true << true << true << inFolder << 2;
        QTest::newRow("neither key") << QByteArray() << false << true << true << none << 2;
        QTest::newRow("folder without the file") << QByteArray() << true << false << true << none << 2;
        QTest::newRow("folder file fails") << QByteArray() << true << true << false << inFolder << 2;
        QTest::newRow("empty tool path") << sz("") << true << true << true << QStringList{""} << 1;
        QTest::newRow("tool value of zero bytes") << QByteArray("") << true << true << true << none << 1;
    }
    void startSysInfo()
    {
        QFETCH(QByteArray, tool);
        QFETCH(bool, folderKey);
        QFETCH(bool, fileThere);
        QFETCH(bool, startWorks);
        QFETCH(QStringList, started);
        QFETCH(int, keysRead);
        TestForms t;
        if (!tool.isNull())
            set(t, kToolKey, "PATH", kText, tool);
        if (folderKey)
            set(t, kFolderKey, "MSINFO", kText, sz(kFolder));
        if (fileThere)
            t.files.existing << kInFolder;
        t.starter.succeed = startWorks;
        for (int request = 1; request <= 2; ++request) { // each request searches afresh
            t.forms.frmAbout().StartSysInfo();
            QCOMPARE(t.starter.started.size(), started.size() * request);
            QCOMPARE(t.registry.opens.size(), size_t(keysRead * request));
            QCOMPARE(QByteArray::fromStdString(t.registry.opens.at(0).first), kToolKey);
        }
        QCOMPARE(t.starter.started.mid(0, started.size()), started);
        const bool told = started.isEmpty() || !startWorks || started == QStringList{""};
        QCOMPARE(t.messages.shown.size(), told ? 2 : 0);
        for (const auto& m : t.messages.shown)
            QVERIFY(m.text == "System Information Is Unavailable At This Time" && m.title == "Tasselday"
                    && m.icon == ui::MessageDialog::Icon::None);
        QCOMPARE(t.registry.openHandles, 0);
    }

    // Without a registry, the desktop's own tool is found through its desktop entry. "home"
    // and "dirs" are entries of $XDG_DATA_HOME and $XDG_DATA_DIRS, "file:Exec[:more lines]".
    void desktopsOwnTool_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("dirs");
        QTest::addColumn<QString>("started"); // empty: the message instead
        const QString kde = "org.kde.kinfocenter.desktop:", gnome = "gnome-info-overview-panel.desktop:";
        QTest::newRow("field code dropped") << "" << kde + "/bin/true %U" << "/bin/true";
        QTest::newRow("quoted argument") << "" << gnome + R"(/bin/true "a b" 100%%)" << "/bin/true|a b|100%";
        QTest::newRow("found on PATH") << kde + "true" << "" << QStandardPaths::findExecutable("true");
        QTest::newRow("KDE before GNOME") << gnome + "/bin/false" << kde + "/bin/true" << "/bin/true";
        QTest::newRow("hidden at home") << kde + "/bin/true:Hidden=true" << kde + "/bin/true" << "";
        QTest::newRow("TryExec missing") << "" << kde + "/bin/true:TryExec=/nonexistent/x" << "";
    }
    void desktopsOwnTool()
    {
        QFETCH(QString, home);
        QFETCH(QString, dirs);
        QFETCH(QString, started);
        TestForms t;
        QTemporaryDir scratch;
        for (const auto& [var, entry] : {std::pair{"XDG_DATA_HOME", home}, {"XDG_DATA_DIRS", dirs}}) {
            const QString dir = scratch.filePath(QLatin1String(var));
            QVERIFY(QDir().mkpath(dir + "/applications"));
            qputenv(var, QFile::encodeName(dir));
            const QStringList lines = entry.split(':');
            QFile file(dir + "/applications/" + lines.at(0));
            if (entry.isEmpty() || !file.open(QIODevice::WriteOnly))
                continue;
            const QString more = lines.mid(2).join(QLatin1Char(10)) + "\nType=Application";
            file.write(("[Desktop Entry]\nName=Info\nExec=" + lines.at(1) + '\n' + more
                        + "\n[Desktop Action x]\nExec=/bin/false\n").toUtf8());
        }
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.starter.started, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(t.messages.shown.size(), int(started.isEmpty()));
    }

    // The real services here: a command really starts, a missing one is told apart, and
    // without a registry no key exists, so the user is told.
    void theSystemsOwnServices()
    {
        ui::DetachedProgramStarter starter;
        QVERIFY(starter.startCommand(QStringLiteral("/bin/true"), {QStringLiteral("a b")}));
        QVERIFY(!starter.startCommand(QStringLiteral("/nonexistent/tool"), {}));
#ifndef Q_OS_WIN
        TestForms t;
        const std::unique_ptr<ui::Registry> registry = ui::systemRegistry();
        ui::Registry::Key key = 0;
        QCOMPARE(registry->openKey(kLocalMachine, kToolKey.toStdString(), kReadAccess, &key), kFileNotFound);
        sysinfo::StartSysInfo({t.clock, t.urls, t.starter, t.files, t.messages, *registry}, nullptr);
        QVERIFY(t.starter.started.isEmpty() && t.files.asked.isEmpty());
        QCOMPARE(t.messages.shown.size(), 1);
#endif
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

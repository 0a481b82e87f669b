// Finding and starting the system information tool: registry reading rules and the order
// of the search, against an in-memory registry and a program starter that only records.
#include "about/frmabout.h"
#include "about/sysinfo.h"
#include "support/testforms.h"
#include "ui/registry.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

using namespace ui::reg;

namespace {

const QByteArray kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QByteArray kToolPath =
    "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const QByteArray kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const QString kInFolder = QString::fromLatin1(kFolder) + QStringLiteral("\\MSINFO32.EXE");
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

QByteArray sz(const QByteArray& text) { return text + '\0'; }

// Reads the one value "V" of the key "K" as the About box would.
bool read(TestForms& t, QString& value)
{
    return t.forms.frmAbout().GetKeyValue(kLocalMachine, QStringLiteral("K"),
                                          QStringLiteral("V"), value);
}

QByteArrayList openedKeys(const TestForms& t)
{
    QByteArrayList keys;
    for (const auto& open : t.registry.opens)
        keys << QByteArray::fromStdString(open.first);
    return keys;
}

void set(TestForms& t, const QByteArray& key, const char* name, quint32 type,
         const QByteArray& bytes)
{
    t.registry.set(key.toStdString(), name, type, bytes.toStdString());
}

} // namespace

class SysInfoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    // "where" spoils the lookup: "no key", "no value" or "denied".
    void getKeyValue_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");
        const QString x1024(1024, QLatin1Char('x'));
        QTest::newRow("terminated") << "" << kText << sz("a b") << true << "a b";
        QTest::newRow("unterminated") << "" << kText << QByteArray("a b") << true << "a b";
        QTest::newRow("only one terminator dropped")
            << "" << kText << QByteArray("ab\0\0", 4) << true << QString::fromLatin1("ab\0", 3);
        QTest::newRow("a lone terminator") << "" << kText << QByteArray(1, '\0') << true << "";
        QTest::newRow("1024 bytes, all kept") << "" << kText << x1024.toLatin1() << true << x1024;
        QTest::newRow("1025 bytes refused") << "" << kText << sz(x1024.toLatin1()) << false << "";
        // Nothing to take the text from: an error, which still closes the key.
        QTest::newRow("zero bytes throw") << "" << kText << QByteArray() << false << "left over";
        QTest::newRow("number")
            << "" << kNumber << QByteArray::fromHex("785634AB") << true << "&hAB345678";
        // A zero top byte looks like a terminator and goes.
        QTest::newRow("number, zero top byte, digits padded")
            << "" << kNumber << QByteArray::fromHex("2C010000") << true << "&h00012C";
        // Other types read, but leave the text alone.
        QTest::newRow("expandable text") << "" << kExpandableText << sz("%x%") << true << "left over";
        QTest::newRow("binary") << "" << kBinary << sz("x") << true << "left over";
        QTest::newRow("no such key") << "no key" << kText << sz("x") << false << "";
        QTest::newRow("no such value") << "no value" << kText << sz("x") << false << "";
        QTest::newRow("access denied") << "denied" << kText << sz("x") << false << "";
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
        // Numbers are only ever read into an empty text.
        QString value = type == kNumber ? QString() : QStringLiteral("left over");
        if (stored.isEmpty())
            QVERIFY_THROWS_EXCEPTION(sysinfo::EmptyValueError, read(t, value));
        else
            QCOMPARE(read(t, value), found);
        QCOMPARE(value, expected);
        QCOMPARE(t.registry.opens.size(), size_t(1));
        QCOMPARE(t.registry.opens.at(0).second, kReadAccess);
        QCOMPARE(t.registry.openHandles, 0);
    }

    // The tool's own key first; the folder only when that key can't be read. Any failure
    // ends in one message. A null "tool" means no such key.
    void startSysInfo_data()
    {
        QTest::addColumn<QByteArray>("tool");
        QTest::addColumn<bool>("folderKey");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<bool>("folderLookedUp");
        QTest::addColumn<bool>("message");
        const QStringList tool{QString::fromLatin1(kToolPath)}, inFolder{kInFolder}, nothing;
        const QByteArray none;
        // The whole path, blanks and all, is one argument.
        QTest::newRow("tool") << sz(kToolPath) << true << true << true << tool << false << false;
        QTest::newRow("tool will not start, folder not tried")
            << sz(kToolPath) << true << true << false << tool << false << true;
        QTest::newRow("no tool key") << none << true << true << true << inFolder << true << false;
        QTest::newRow("oversized tool value")
            << QByteArray(1025, 'x') << true << true << true << inFolder << true << false;
        QTest::newRow("neither key") << none << false << true << true << nothing << true << true;
        QTest::newRow("folder without the file")
            << none << true << false << true << nothing << true << true;
        QTest::newRow("folder file will not start")
            << none << true << true << false << inFolder << true << true;
        QTest::newRow("empty tool path")
            << sz("") << true << true << true << QStringList{""} << false << true;
        QTest::newRow("tool value of zero bytes")
            << QByteArray("") << true << true << true << nothing << false << true;
    }
    void startSysInfo()
    {
        QFETCH(QByteArray, tool);
        QFETCH(bool, folderKey);
        QFETCH(bool, fileThere);
        QFETCH(bool, startWorks);
        QFETCH(QStringList, started);
        QFETCH(bool, folderLookedUp);
        QFETCH(bool, message);
        TestForms t;
        t.registry.grantedAccess = kReadAccess;
        if (!tool.isNull())
            set(t, kToolKey, "PATH", kText, tool);
        if (folderKey)
            set(t, kFolderKey, "MSINFO", kText, sz(kFolder));
        if (fileThere)
            t.files.existing << kInFolder;
        t.starter.succeed = startWorks;
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.starter.started, started);
        QCOMPARE(openedKeys(t), (folderLookedUp ? QByteArrayList{kToolKey, kFolderKey}
                                                : QByteArrayList{kToolKey}));
        QCOMPARE(t.messages.shown.size(), int(message));
        if (message) {
            QCOMPARE(t.messages.shown.at(0).text, kUnavailable);
            QCOMPARE(t.messages.shown.at(0).title, QStringLiteral("Tasselday"));
            QCOMPARE(t.messages.shown.at(0).icon, ui::MessageDialog::Icon::None);
        }
        QCOMPARE(t.registry.openHandles, 0);
    }

    void eachRequestSearchesAfresh()
    {
        TestForms t;
        t.forms.frmAbout().StartSysInfo();
        set(t, kToolKey, "PATH", kText, sz(kToolPath));
        t.forms.frmAbout().StartSysInfo();
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.messages.shown.size(), 1);
        QCOMPARE(t.starter.started.size(), 2);
    }

    // Without a registry, the desktop's own tool is found through its desktop entry and
    // started by its Exec line. "home" and "dirs" are the entry files of $XDG_DATA_HOME and
    // of the first of $XDG_DATA_DIRS, as "name:Exec line[:more lines]"; empty: no entry.
    void desktopsOwnTool_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("dirs");
        QTest::addColumn<QString>("started"); // empty: the message instead
        const QString kde = QStringLiteral("org.kde.kinfocenter.desktop:");
        const QString gnome = QStringLiteral("gnome-info-overview-panel.desktop:");
        QTest::newRow("KDE, field code dropped") << "" << kde + "/bin/true %U" << "/bin/true";
        QTest::newRow("GNOME, quoted argument")
            << "" << gnome + R"(/bin/true "info overview" 100%%)" << "/bin/true|info overview|100%";
        QTest::newRow("found on PATH") << kde + "true" << "" << QStandardPaths::findExecutable("true");
        QTest::newRow("KDE before GNOME") << gnome + "/bin/false" << kde + "/bin/true" << "/bin/true";
        QTest::newRow("home entry hides the system's")
            << kde + "/bin/true:Hidden=true" << kde + "/bin/true" << "";
        QTest::newRow("program missing") << "" << kde + "/nonexistent/kinfocenter" << "";
        QTest::newRow("TryExec missing") << "" << kde + "/bin/true:TryExec=/nonexistent/x" << "";
        QTest::newRow("not an application") << "" << kde + "/bin/true:Type=Link" << "";
        QTest::newRow("some other entry") << "" << "vim.desktop:/bin/true" << "";
        QTest::newRow("no entry") << "" << "" << "";
    }
    void desktopsOwnTool()
    {
        QFETCH(QString, home);
        QFETCH(QString, dirs);
        QFETCH(QString, started);
        TestForms t;
        QTemporaryDir scratch;
        for (const auto& [var, entry] : {std::pair{"XDG_DATA_HOME", home}, {"XDG_DATA_DIRS", dirs}}) {
            const QString dir = scratch.filePath(QLatin1String(var)) + "/applications";
            QVERIFY(QDir().mkpath(dir));
            qputenv(var, QFile::encodeName(scratch.filePath(QLatin1String(var))));
            if (entry.isEmpty())
                continue;
            const QStringList lines = entry.split(':');
            QFile file(dir + '/' + lines.at(0));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QString text = "[Desktop Entry]\nName=Info\nExec=" + lines.at(1) + "\n";
            for (const QString& line : lines.mid(2))
                text += line + "\n";
            if (!text.contains("Type="))
                text += "Type=Application\n";
            file.write(("# made by the test\n" + text + "[Desktop Action x]\nExec=/bin/false\n").toUtf8());
        }
        t.forms.frmAbout().StartSysInfo();
        qputenv("XDG_DATA_HOME", "/nonexistent");
        qputenv("XDG_DATA_DIRS", "/nonexistent");
        QCOMPARE(t.starter.started, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(t.messages.shown.size(), int(started.isEmpty()));
    }

    // The real starter: the desktop tool's command is started as it is, and a missing
    // program is told apart.
    void commandsReallyStart()
    {
        ui::DetachedProgramStarter starter;
        QVERIFY(starter.startCommand(QStringLiteral("/bin/true"), {QStringLiteral("a b")}));
        QVERIFY(!starter.startCommand(QStringLiteral("/nonexistent/tool"), {}));
    }

    void theSystemsOwnRegistry()
    {
#ifdef Q_OS_WIN
        QSKIP("The real registry's contents belong to the machine");
#else
        // Without a registry no key exists, and the user is told so.
        TestForms t;
        const std::unique_ptr<ui::Registry> registry = ui::systemRegistry();
        ui::Registry::Key key = 0;
        QCOMPARE(registry->openKey(kLocalMachine, kToolKey.toStdString(), kReadAccess, &key),
                 kFileNotFound);
        const ui::Services services{t.clock, t.urls, t.starter, t.files, t.messages, *registry};
        sysinfo::StartSysInfo(services, nullptr);
        QVERIFY(t.starter.started.isEmpty());
        QVERIFY(t.files.asked.isEmpty());
        QCOMPARE(t.messages.shown.size(), 1);
        QCOMPARE(t.messages.shown.at(0).text, kUnavailable);
#endif
    }
};

QTEST_MAIN(SysInfoTest)
#include "test_sysinfo.moc"

// Finding and starting the system information tool: registry reading rules and the order
// of the search, against an in-memory registry and a program starter that only records.
#include "about/frmabout.h"
#include "about/sysinfo.h"
#include "support/testforms.h"
#include "ui/registry.h"

#include <QApplication>
#include <QtTest>

namespace {

const QByteArray kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QByteArray kToolPath = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const QByteArray kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const QString kInFolder = QString::fromLatin1(kFolder) + QStringLiteral("\\MSINFO32.EXE");

QByteArray sz(const QByteArray& text) { return text + '\0'; }

} // namespace

class SysInfoTest : public QObject {
    Q_OBJECT

    // Reads the one value "V" of the key "K" as the About box would.
    static bool read(TestForms& t, QString& value)
    {
        return t.forms.frmAbout().GetKeyValue(ui::reg::HKEY_LOCAL_MACHINE, QStringLiteral("K"),
                                              QStringLiteral("V"), value);
    }

    static void checkUnavailableOnce(TestForms& t)
    {
        QCOMPARE(t.messages.shown.size(), 1);
        const auto& m = t.messages.shown.at(0);
        QCOMPARE(m.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(m.title, QStringLiteral("Tasselday"));
        QCOMPARE(m.icon, ui::MessageBox::Icon::None);
    }

    static QByteArrayList openedKeys(const TestForms& t)
    {
        QByteArrayList keys;
        for (const auto& open : t.registry.opens)
            keys << open.first;
        return keys;
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void textValueBytes_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");

        QTest::newRow("terminated") << sz("C:\\a b\\x.exe") << true << QStringLiteral("C:\\a b\\x.exe");
        QTest::newRow("unterminated") << QByteArray("C:\\x.exe") << true << QStringLiteral("C:\\x.exe");
        QTest::newRow("only one terminator dropped")
            << QByteArray("ab\0\0", 4) << true << QString::fromLatin1("ab\0", 3);
        QTest::newRow("a lone terminator") << QByteArray(1, '\0') << true << QString();
        QTest::newRow("1024 bytes, all kept") << QByteArray(1024, 'x') << true
                                              << QString(1024, QLatin1Char('x'));
        QTest::newRow("1024 bytes with terminator") << sz(QByteArray(1023, 'y')) << true
                                                    << QString(1023, QLatin1Char('y'));
        QTest::newRow("1025 bytes refused") << sz(QByteArray(1024, 'z')) << false << QString();
    }
    void textValueBytes()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, found);
        QFETCH(QString, expected);
        TestForms t;
        t.registry.set("K", "V", ui::reg::REG_SZ, stored);
        QString value = QStringLiteral("left over");
        QCOMPARE(read(t, value), found);
        QCOMPARE(value, expected);
        QCOMPARE(t.registry.openHandles, 0);
    }

    void numberValueInHex_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all four bytes") << QByteArray::fromHex("785634AB") << QStringLiteral("&hAB345678");
        // A zero top byte looks like a terminator and goes.
        QTest::newRow("zero top byte") << QByteArray::fromHex("2C010000") << QStringLiteral("&h00012C");
        QTest::newRow("small digits padded") << QByteArray::fromHex("0A0B0C0D") << QStringLiteral("&h0D0C0B0A");
    }
    void numberValueInHex()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);
        TestForms t;
        t.registry.set("K", "V", ui::reg::REG_DWORD, stored);
        QString value;
        QVERIFY(read(t, value));
        QCOMPARE(value, expected);
        QCOMPARE(t.registry.openHandles, 0);
    }

    void otherTypesLeaveTheTextAlone()
    {
        for (const quint32 type : {ui::reg::REG_EXPAND_SZ, ui::reg::REG_BINARY}) {
            TestForms t;
            t.registry.set("K", "V", type, sz("%SystemRoot%\\x.exe"));
            QString value = QStringLiteral("as it was");
            QVERIFY(read(t, value));
            QCOMPARE(value, QStringLiteral("as it was"));
            QCOMPARE(t.registry.openHandles, 0);
        }
    }

    void failuresEmptyTheText()
    {
        TestForms t;
        QString value = QStringLiteral("stale");
        QVERIFY(!read(t, value)); // no such key
        QVERIFY(value.isEmpty());

        t.registry.set("K", "Other", ui::reg::REG_SZ, sz("x"));
        value = QStringLiteral("stale");
        QVERIFY(!read(t, value)); // key without the value
        QVERIFY(value.isEmpty());
        QCOMPARE(t.registry.openHandles, 0);

        t.registry.deniedKeys << "K";
        t.registry.set("K", "V", ui::reg::REG_SZ, sz("x"));
        value = QStringLiteral("stale");
        QVERIFY(!read(t, value));
        QVERIFY(value.isEmpty());
    }

    void zeroBytesIsAnErrorThatClosesTheKey()
    {
        TestForms t;
        t.registry.set("K", "V", ui::reg::REG_SZ, QByteArray());
        QString value;
        QVERIFY_THROWS_EXCEPTION(sysinfo::EmptyValueError, read(t, value));
        QCOMPARE(t.registry.openHandles, 0);
    }

    void readsWithReadAccessOnly()
    {
        TestForms t;
        t.registry.grantedAccess = ui::reg::KEY_READ; // an ordinary user
        t.registry.set("K", "V", ui::reg::REG_SZ, sz("x"));
        QString value;
        QVERIFY(read(t, value));
        QCOMPARE(value, QStringLiteral("x"));
        QCOMPARE(t.registry.opens.size(), 1);
        QCOMPARE(t.registry.opens.at(0).second, ui::reg::KEY_READ);
    }

    void toolPathStartsAsReadWithoutSecondLookup()
    {
        TestForms t;
        t.registry.grantedAccess = ui::reg::KEY_READ;
        t.registry.set(kToolKey, "PATH", ui::reg::REG_SZ, sz(kToolPath));
        t.registry.set(kFolderKey, "MSINFO", ui::reg::REG_SZ, sz(kFolder));
        t.files.existing << kInFolder;
        t.forms.frmAbout().StartSysInfo();
        // The whole path, blanks and all, is one argument.
        QCOMPARE(t.starter.started, QStringList{QString::fromLatin1(kToolPath)});
        QVERIFY(t.files.asked.isEmpty());
        QCOMPARE(openedKeys(t), QByteArrayList{kToolKey});
        QCOMPARE(t.registry.queries, QByteArrayList{"PATH"});
        QVERIFY(t.messages.shown.isEmpty());
        QCOMPARE(t.registry.openHandles, 0);
    }

    void missingToolFileIsNotReplacedByTheFolder()
    {
        TestForms t;
        t.starter.succeed = false; // the file named by the first lookup is gone
        t.registry.set(kToolKey, "PATH", ui::reg::REG_SZ, sz(kToolPath));
        t.registry.set(kFolderKey, "MSINFO", ui::reg::REG_SZ, sz(kFolder));
        t.files.existing << kInFolder;
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.starter.started, QStringList{QString::fromLatin1(kToolPath)});
        QCOMPARE(openedKeys(t), QByteArrayList{kToolKey});
        checkUnavailableOnce(t);
    }

    void folderLookupWhenTheToolKeyIsMissing()
    {
        TestForms t;
        t.registry.set(kFolderKey, "MSINFO", ui::reg::REG_SZ, sz(kFolder));
        t.files.existing << kInFolder;
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(openedKeys(t), (QByteArrayList{kToolKey, kFolderKey}));
        QCOMPARE(t.files.asked, QStringList{kInFolder});
        QCOMPARE(t.starter.started, QStringList{kInFolder});
        QVERIFY(t.messages.shown.isEmpty());
    }

    void folderLookupAfterAnOversizedToolValue()
    {
        TestForms t;
        t.registry.set(kToolKey, "PATH", ui::reg::REG_SZ, QByteArray(1025, 'x'));
        t.registry.set(kFolderKey, "MSINFO", ui::reg::REG_SZ, sz(kFolder));
        t.files.existing << kInFolder;
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.starter.started, QStringList{kInFolder});
        QVERIFY(t.messages.shown.isEmpty());
    }

    void everyFailureEndsInTheOneMessage_data()
    {
        QTest::addColumn<bool>("toolKey");
        QTest::addColumn<QByteArray>("toolValue");
        QTest::addColumn<bool>("folderKey");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<int>("starts");

        QTest::newRow("neither key") << false << QByteArray() << false << false << true << 0;
        QTest::newRow("folder without the file") << false << QByteArray() << true << false << true << 0;
        QTest::newRow("folder file will not start") << false << QByteArray() << true << true << false << 1;
        QTest::newRow("empty tool path") << true << sz("") << true << true << true << 1;
        QTest::newRow("tool value of zero bytes") << true << QByteArray() << true << true << true << 0;
    }
    void everyFailureEndsInTheOneMessage()
    {
        QFETCH(bool, toolKey);
        QFETCH(QByteArray, toolValue);
        QFETCH(bool, folderKey);
        QFETCH(bool, fileThere);
        QFETCH(bool, startWorks);
        QFETCH(int, starts);
        TestForms t;
        if (toolKey)
            t.registry.set(kToolKey, "PATH", ui::reg::REG_SZ, toolValue);
        if (folderKey)
            t.registry.set(kFolderKey, "MSINFO", ui::reg::REG_SZ, sz(kFolder));
        if (fileThere)
            t.files.existing << kInFolder;
        t.starter.succeed = startWorks;
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.starter.started.size(), starts);
        checkUnavailableOnce(t);
        // A tool key that was found, even uselessly, stops the search there.
        if (toolKey)
            QCOMPARE(openedKeys(t), QByteArrayList{kToolKey});
        QCOMPARE(t.registry.openHandles, 0);
    }

    void eachRequestSearchesAfresh()
    {
        TestForms t;
        t.forms.frmAbout().StartSysInfo();
        t.registry.set(kToolKey, "PATH", ui::reg::REG_SZ, sz(kToolPath));
        t.forms.frmAbout().StartSysInfo();
        t.forms.frmAbout().StartSysInfo();
        QCOMPARE(t.messages.shown.size(), 1);
        QCOMPARE(t.starter.started.size(), 2);
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
        QCOMPARE(registry->openKey(ui::reg::HKEY_LOCAL_MACHINE, kToolKey, ui::reg::KEY_READ, &key),
                 ui::reg::ERROR_FILE_NOT_FOUND);
        const ui::Services services{t.clock, t.urls, t.starter, t.files, t.messages, *registry};
        sysinfo::StartSysInfo(services, nullptr);
        QVERIFY(t.starter.started.isEmpty());
        QVERIFY(t.files.asked.isEmpty());
        checkUnavailableOnce(t);
#endif
    }
};

QTEST_MAIN(SysInfoTest)
#include "test_sysinfo.moc"

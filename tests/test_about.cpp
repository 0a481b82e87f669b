// The About box as a user meets it, and its system information launcher against an
// in-memory registry, a file probe and a program starter that only record.
#include "about/frmabout.h"
#include "about/launcher.h"
#include "app/frmtasselday.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/color.h"
#include "ui/controls.h"

#include <QApplication>

using namespace ui::reg;

namespace {

constexpr quint32 Blue = ui::colors::LightBlue, Red = ui::colors::Red;
const char* const kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

// The tool's own value: its type, its bytes and what starts from it; a null start: the
// message, on each request. The folder holds the tool too, and none of these may reach it.
using Search = std::tuple<const char*, quint32, QByteArray, QString>;
const Search kSearches[] = {
    {"one terminator dropped", kText, QByteArray("a.exe\0\0", 7),
        QString::fromLatin1("a.exe\0", 6)},
    {"tool value of 1024 bytes", kText, QByteArray(1024, 'x'), QString(1024, 'x')},
    {"number's top byte of zero lost", kNumber, QByteArray::fromHex("2C010000"), "&h00012C"},
    {"tool value of zero bytes", kText, "", {}},
};

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }

    // OK focused first, the icon in the Tab order. A link turns red under the pointer and
    // back over bare background (frame and lines included); other controls change nothing;
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
        for (const QWidget* next :
            std::initializer_list<const QWidget*> {c.picIcon, c.cmdSysInfo, c.cmdOK}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        const QPoint website = c.lblWebsite->geometry().center();
        const std::tuple<const char*, QPoint, quint32, quint32> steps[]
            = {{"website", website, Red, Blue}, {"OK", c.cmdOK->pos(), Red, Blue},
                {"a plain label", QPoint(100, 111), Red, Blue},
                {"the frame", QPoint(64, 140), Blue, Blue},
                {"GitHub's corner", c.lblPSClink->geometry().bottomRight(), Blue, Red},
                {"website from GitHub", website, Red, Red},
                {"the lines", QPoint(100, 193), Blue, Blue}};
        for (const auto& [where, at, web, source] : steps) {
            QTest::mouseMove(a.window()->windowHandle(), at); // to the control under it
            QVERIFY2(ui::roleColor(c.lblWebsite, QPalette::WindowText) == web
                    && ui::roleColor(c.lblPSClink, QPalette::WindowText) == source,
                where);
        }
        QTest::mouseClick(c.lblWebsite, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseClick(c.lblPSClink, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(c.lblTitle, Qt::LeftButton);
        QCOMPARE(
            t.urls.opened, (QStringList {"https://tasselday.github.io/", "https://github.com/"}));
        main.window()->close();
        QVERIFY(!a.isLoaded() && t.programEnds == 1);
    }

    // The tool's own value, read to its last byte: text without one terminator, a number as
    // "&h" and hex; an empty value ends in one message, on each request afresh; every key is
    // closed again.
    void startSysInfo_data() { rows::add(kSearches); }
    void startSysInfo()
    {
        const auto& [name, type, tool, startedPath] = rows::fetch(kSearches);
        TestForms t;
        t.registry.grantedAccess = kReadAccess; // an ordinary user
        t.registry.set(sysinfo::kToolKey, "PATH", type, tool.toStdString());
        t.registry.set(sysinfo::kFolderKey, "MSINFO", kText, std::string(kFolder) + '\0');
        t.files.existing << QString::fromLatin1(kFolder) + "\\MSINFO32.EXE";
        t.forms.frmAbout().load();
        for (int request = 1; request <= 2; ++request) {
            t.forms.frmAbout().controls().cmdSysInfo->click();
            const QStringList started(startedPath.isNull() ? 0 : request, startedPath);
            QCOMPARE(t.starter.started, started);
            QCOMPARE(t.messages.shown.size(), startedPath.isNull() ? request : 0);
        }
        QCOMPARE(t.registry.openHandles, 0);
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"

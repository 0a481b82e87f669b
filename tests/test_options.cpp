// The options dialog, opened and driven the way a user does, in every locale.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "support/rows.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QScreen>

namespace {

constexpr double kCeremony = 38872.75; // 4 June 2006 18:00:00
using C = FrmAdvOptControls;
ui::TextBox* C::*const kTimeBoxes[]
    = {&C::txtSetTime_Hours, &C::txtSetTime_Minutes, &C::txtSetTIme_Seconds};

// The program's windows, with the dialog driven the way a user drives it.
struct Session : TestForms {
    FrmTasselday& main = forms.frmTasselday();
    FrmAdvOpt& dialog = forms.frmAdvOpt();
    const C& c() const { return dialog.controls(); }
    // The hidden square's three double-clicks; the dialog made active for the keys.
    bool open()
    {
        main.show();
        if (!QTest::qWaitForWindowExposed(main.window()))
            return false;
        for (int i = 0; i < 3; ++i)
            QTest::mouseDClick(main.controls().lblSet, Qt::LeftButton);
        if (dialog.isLoaded())
            dialog.window()->activateWindow();
        return dialog.isLoaded() && QTest::qWaitForWindowActive(dialog.window());
    }
    // Like a user: select what is in the box, then type over it. A null text types nothing.
    void type(ui::TextBox* b, const QString& text)
    {
        if (text.isNull())
            return;
        b->setFocus();
        b->selectAll();
        if (text.isEmpty())
            QTest::keyClick(b, Qt::Key_Delete);
        for (const QChar c : text) // a key of any script, as a keyboard of that script types it
            QTest::sendKeyEvent(QTest::Click, b, Qt::Key(c.toUpper().unicode()), c, {});
    }
    void press(ui::Button* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // Date label | hours | minutes | seconds | half of the day | precision
    QString shown()
    {
        return QStringList {c().lblGradTime_Date->text(), c().txtSetTime_Hours->text(),
            c().txtSetTime_Minutes->text(), c().txtSetTIme_Seconds->text(),
            c().comboSetTime_AMPM->currentText(), c().txtPercentDigits->text()}
            .join(u'|');
    }
    // The time applied | the precision | the percentage shown
    QString applied()
    {
        const QString percent = main.controls().lblSchoolCompleted->text();
        const ui::CivilTime t = *ui::fromDateValue(main.GradDate);
        return QTime(t.hour, t.minute, t.second).toString(u"h:mm:ss AP") + u'|'
            + QString::number(main.intPercentDigits) + u'|' + percent.section(u' ', 3);
    }
};

// Apply: what is typed (null: nothing) into the time boxes and the precision, the key on the
// half-of-the-day list (0: none); the time named in the refusal (null: none); the time,
// precision and percentage applied and the precision box afterwards.
struct ApplyRow {
    const char* name;
    const char* locale;
    const char* typed = nullptr;
    int key = 0;
    const char* digits = nullptr;
    const char* refused = nullptr;
    const char* time;
    int precision;
    const char* percent;
    const char* box;
    int before = 5;
};

// clang-format off
const ApplyRow kApplies[] = {
    {.name = "24-hour, PM", .locale = "de_DE", .typed = "9:30:00", .key = Qt::Key_End,
     .time = "9:30:00 PM", .precision = 5, .percent = "71,36702%", .box = "5"},
    {.name = "9 digits", .locale = "en_US", .digits = "9",
     .time = "6:00:00 PM", .precision = 9, .percent = "71.367019981%", .box = "9"},
    {.name = "no digits", .locale = "en_US", .digits = "",
     .time = "6:00:00 PM", .precision = 0, .percent = "71%", .box = ""},
    {.name = "above 12", .locale = "en_US", .time = "6:00:00 PM", .precision = 12,
     .percent = "71.367019980507%", .box = "12", .before = 15},
    {.name = "below 0", .locale = "en_US",
     .time = "6:00:00 PM", .precision = 0, .percent = "71%", .box = "0", .before = -3},
    {.name = "empty hour", .locale = "en_US", .typed = ":00:00", .digits = "9",
     .refused = ":00:00PM", .time = "6:00:00 PM", .precision = 5, .percent = "71.36702%",
     .box = "9"},
    {.name = "minute 75", .locale = "en_US", .typed = "6:75:00", .digits = "9",
     .refused = "6:75:00PM", .time = "6:00:00 PM", .precision = 5, .percent = "71.36702%",
     .box = "9"},
    {.name = "Arabic-Indic digits", .locale = "en_US",
     .typed = "\u0669:\u0663\u0660:\u0660\u0660", .key = Qt::Key_Up, .digits = "\u0663",
     .time = "9:30:00 AM", .precision = 3, .percent = "71.367%", .box = "\u0663"},
};
// clang-format on

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Apply hands the time (with the picked half of the day) and the precision, kept within 0..12,
    // over at once, digits of any script read alike in both. An unreadable time is named in a
    // message and changes nothing, on OK too.
    void apply_data() { rows::add(kApplies); }
    void apply()
    {
        const ApplyRow& r = rows::fetch(kApplies);
        QLocale::setDefault(QLocale(r.locale));
        Session s;
        s.main.load();
        s.main.intPercentDigits = qint16(r.before);
        QVERIFY(s.open());
        const QString typed = r.typed;
        for (int i = 0; r.typed && i < 3; ++i)
            s.type(s.c().*kTimeBoxes[i], QStringLiteral("") + typed.section(u':', i, i));
        if (r.key)
            QTest::keyClick(s.c().comboSetTime_AMPM, Qt::Key(r.key));
        s.type(s.c().txtPercentDigits, r.digits ? QString(r.digits) : QString());
        s.press(s.c().cmdApply);
        if (r.refused)
            s.press(s.c().cmdOK);
        QCOMPARE(s.messages.shown.size(), r.refused ? 2 : 0);
        for (const auto& message : s.messages.shown)
            QVERIFY2(
                message.text.contains('"' + QString(r.refused) + '"'), qPrintable(message.text));
        const QString applied
            = QStringList {r.time, QString::number(r.precision), r.percent}.join('|');
        QCOMPARE(s.applied(), applied);
        QCOMPARE(s.c().txtPercentDigits->text(), QString(r.box));
        QVERIFY(s.dialog.isLoaded() && !s.main.enabled());
        s.type(s.c().txtSetTime_Hours, "8"); // Cancel after Apply keeps what was applied
        s.press(s.c().cmdCancel);
        QCOMPARE(s.applied(), applied);
    }

    // The focus starts on OK. Hour 7 typed in the centred dialog, then keys on a control (no
    // control: the close box); applied leaves it open, OK closes it. A focused button takes Enter,
    // elsewhere the default, Apply (Enter on Cancel and on Jump are the end-to-end scenarios').
    // Escape never applies or jumps; Jump applies nothing. Opened again, the list has the palette
    // of the first (Fusion finds the faces it cached, none pile up).
    void keys_data()
    {
        const char* hours = "txtSetTime_Hours";
        table<QString, QKeySequence, QString>({"focus", "keys", "after"},
            {{"Enter in a box", hours, Qt::Key_Return, "applied"},
                {"keypad Enter on OK", "cmdOK", Qt::KeypadModifier | Qt::Key_Enter, "OK"},
                {"Alt+O", hours, Qt::ALT | Qt::Key_O, "OK"},
                {"Escape on Jump", "cmdJump", Qt::Key_Escape, "closed"},
                {"close box", "", {}, "closed"}, {"Alt+J", hours, Qt::ALT | Qt::Key_J, "jumped"}});
    }
    void keys()
    {
        Session s;
        QVERIFY(s.open());
        QTRY_COMPARE(QApplication::focusWidget(), s.c().cmdOK); // the first in Tab order
        // Placed first: keys sent before the dialog settles at the centre go astray.
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        QTRY_VERIFY((s.dialog.window()->frameGeometry().center() - centre).manhattanLength() <= 2);
        s.type(s.c().txtSetTime_Hours, "7");
        const auto face = [&s] { return s.c().comboSetTime_AMPM->palette().cacheKey(); };
        const qint64 firstFace = face();
        const QString focus = cell<QString>("focus"), after = cell<QString>("after");
        if (QWidget* target
            = focus.isEmpty() ? nullptr : s.dialog.window()->findChild<QWidget*>(focus)) {
            target->setFocus();
            QTest::keySequence(target, cell<QKeySequence>("keys"));
        } else {
            s.dialog.window()->close();
        }
        // An access key presses its button the way a click does, a moment later.
        QTRY_COMPARE(s.dialog.isLoaded(), after == "applied");
        const bool applied = after == "applied" || after == "OK";
        QCOMPARE(s.main.GradDate, applied ? ui::toDateValue(2006, 6, 4, 19) : kCeremony);
        // What a jump closes and opens is the hand-over's own test.
        QCOMPARE(s.forms.frmDone().isLoaded(), after == "jumped");
        if (after != "jumped") // the hidden square takes double-clicks again once closed
            QVERIFY(s.main.enabled() == (after != "applied") && (after == "applied" || s.open())
                && face() == firstFace);
    }

    // Minimised alone all the same, the dialog, transient for the main window that waits on it,
    // comes back at once; minimised with the main window, it comes back with it.
    void dialogNeverLeavesTheMainWindowWaitingAlone()
    {
        Session s;
        QVERIFY(s.open());
        QWidget *main = s.main.window(), *dialog = s.dialog.window();
        QCOMPARE(dialog->windowHandle()->transientParent(), main->windowHandle());
        dialog->showMinimized();
        QTRY_VERIFY(!dialog->isMinimized());
        main->showMinimized();
        dialog->showMinimized();
        QTest::qWait(50); // every news of the two taken in: only the main window's brings it back
        QVERIFY(dialog->isMinimized());
        main->showNormal();
        QTRY_VERIFY(!dialog->isMinimized());
    }

    // Every locale, times of day in turn: the heading and dialog show the date whole and the time
    // as set; new minutes apply, open again as applied, and an untouched OK gives them back.
    void everyLocaleGivesBackItsOwnValues()
    {
        Session s;
        const auto fits = [](const ui::Label* l) {
            return ui::textFits(l->font(), l->text(), l->contentsRect(), l->textFlags());
        };
        // The general form writes no time at midnight; the dialog still shows one.
        const QTime times[] = {{18, 5, 9}, {10, 30, 0}, {12, 0, 1}, {0, 0, 0}};
        const auto locales = QLocale::matchingLocales(
            QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QStringList failed;
        for (qsizetype i = 0; i < locales.size(); ++i) {
            const QLocale& loc = locales[i];
            const int h = times[i % 4].hour(), m = times[i % 4].minute(),
                      sec = times[i % 4].second();
            QLocale::setDefault(loc);
            s.main.unload(); // the heading is written when the main window loads
            s.main.load();
            const auto* heading = s.main.controls().lblTimeLeft;
            const QString day = ui::shortDate(kCeremony, loc);
            const QString half
                = ui::hasTwelveHourClock(loc) ? ui::halfDayNames(loc).at(h >= 12) : "";
            // Built as QStrings: a locale's texts need not fit the system's 8-bit code page.
            const auto shows = [&](int minute) {
                return s.shown()
                    == QStringLiteral("%1  at|%2|%3|%4|%5|5")
                           .arg(day)
                           .arg(half.isEmpty() ? h : (h + 11) % 12 + 1)
                           .arg(minute, 2, 10, QLatin1Char('0'))
                           .arg(sec, 2, 10, QLatin1Char('0'))
                           .arg(half);
            };
            bool ok
                = heading->text() == "Time left until Graduation  (" + day + ") :" && fits(heading);
            s.main.GradDate = ui::toDateValue(2006, 6, 4, h, m, sec);
            s.dialog.show();
            const auto* date = s.c().lblGradTime_Date;
            ok = ok && shows(m) && fits(date);
            // Type is made smaller only where the text would not fit.
            if (loc == QLocale(QLocale::English, QLocale::UnitedStates))
                ok = ok && heading->font().pixelSize() == 24 && date->font().pixelSize() == 17;
            s.type(s.c().txtSetTime_Minutes, "30");
            s.press(s.c().cmdOK);
            s.dialog.show();
            ok = ok && shows(30);
            s.press(s.c().cmdOK);
            ok = ok && !s.dialog.isLoaded()
                && s.main.GradDate == ui::toDateValue(2006, 6, 4, h, 30, sec);
            if (!ok || !s.messages.shown.isEmpty())
                failed << loc.name();
            s.messages.shown.clear();
            TestForms::flush();
        }
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(u' ')));
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"

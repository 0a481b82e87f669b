// The number, Date value, leading-number and date-text rules, each to the exact double or
// character.
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/leadnum.h"
#include "ui/numbers.h"

#include <QtTest>

using namespace ui;

namespace {

constexpr double kSecond = 1.0 / 86400.0, kSixPm = 38872.75;
const double kNone = qQNaN();
const QLocale kUs(QLocale::English, QLocale::UnitedStates), kDe(QLocale::German, QLocale::Germany);

// QCOMPARE on doubles is fuzzy; these rules are about the exact double, and NaN means "none".
bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }
#define COMPARE_EXACT(actual, expected)                                                          \
    QVERIFY2(same(actual, expected), qPrintable(QStringLiteral("got %1, expected %2")            \
                                                    .arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)))

qint64 seconds(double v) { return std::llround(v * 86400.0); }

// What a date shown in `loc` reads back as, in whole seconds; -1 when it doesn't.
qint64 roundTrip(double v, const QLocale& loc)
{
    const std::optional<double> back = readDateTime(generalDate(v, loc), loc);
    return back ? seconds(*back) : -1;
}

}  // namespace

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    // Int floors; Mod rounds its operands half to even and keeps the dividend's sign (a floored
    // modulo would give 6 for -8 Mod 7); Round goes half to even; no result is negative zero.
    void arithmetic_data()
    {
        QTest::addColumn<char>("op");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("expected");
        const struct { const char* name; char op; double x, y, expected; } rows[] = {
            {"Int(2.9)", 'I', 2.9, 0, 2}, {"Int(-0.3)", 'I', -0.3, 0, -1},
            {"-8 Mod 7", 'M', -8, 7, -1}, {"8 Mod -7", 'M', 8, -7, 1}, {"-7 Mod 7", 'M', -7, 7, 0},
            {"7.5 Mod 5 is 8 Mod 5", 'M', 7.5, 5, 3}, {"6.5 Mod 5 is 6 Mod 5", 'M', 6.5, 5, 1},
            {"Round(0.5)", 'R', 0.5, 0, 0}, {"Round(1.5)", 'R', 1.5, 0, 2},
            {"Round(2.5)", 'R', 2.5, 0, 2}, {"Round(-2.5)", 'R', -2.5, 0, -2},
            {"just over half", 'R', 2.5000001, 0, 3}, {"Round(0.125, 2)", 'R', 0.125, 2, 0.12},
            {"Round(0.375, 2)", 'R', 0.375, 2, 0.38}, {"huge", 'R', 1e305, 5, 1e305},
            {"negative n counts as 0", 'R', 2.7, -1, 3},
            // 203 days 9:30:15 of a 285-day school year, as the countdown shows it.
            {"countdown percent", 'R', (203.0 + 34215.0 / 86400.0) / 285.0 * 100.0, 5, 71.36702}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.op << r.x << r.y << r.expected;
    }
    void arithmetic()
    {
        QFETCH(char, op);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, expected);
        const double r = op == 'I' ? Int(x) : op == 'M' ? Mod(x, y) : Round(x, int(y));
        COMPARE_EXACT(r, expected);
        QVERIFY2(!std::signbit(r) || r != 0.0, "negative zero");
    }

    // At most 15 digits, ASCII digits, no grouping; "," only where the locale's point is ",".
    void numberText_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("negative zero") << -0.0 << kUs << "0";
        QTest::newRow("float noise hidden") << 0.1 + 0.2 << QLocale::c() << "0.3";
        QTest::newRow("fifteen digits") << 2.0 / 3.0 << kUs << "0.666666666666667";
        QTest::newRow("largest plain") << 123456789012345.0 << kUs << "123456789012345";
        QTest::newRow("large exponent") << 1e15 << kUs << "1E+15";
        QTest::newRow("small plain") << 0.0001 << kUs << "0.0001";
        QTest::newRow("small exponent") << 1.234e-6 << kUs << "1.234E-06";
        QTest::newRow("de") << 1234.5 << kDe << "1234,5";
        QTest::newRow("de exponent") << 1.5e-7 << kDe << "1,5E-07";
        QTest::newRow("ar_EG") << 71.36702 << QLocale("ar_EG") << "71.36702";
        QTest::newRow("ar_MA") << 71.36702 << QLocale("ar_MA") << "71,36702";
    }
    void numberText() { QFETCH(double, x); QFETCH(QLocale, locale); QTEST(numberToText(x, locale), "expected"); }

    // The number a typed text starts with ("." always the point, even in German) and the
    // nearest 16-bit integer of it, half to even and clamped rather than wrapped.
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("int16");
        const double inf = qInf();
        const struct { const char* text; double number; int int16; } rows[] = {
            {"6:", 6, 6}, {"-3.5", -3.5, -4}, {"+2.5", 2.5, 2}, {"1.2.3", 1.2, 1}, {"1,5", 1, 1},
            {" 1 2", 12, 12}, {"1e2x", 100, 100}, {"1e-2", 0.01, 0},
            {"1D3", 1000, 1000}, {"1e+", 1, 1}, {"", 0, 0}, {"-", 0, 0}, {".", 0, 0},
            {"abc12", 0, 0}, {"--1", 0, 0}, {"32767.5", 32767.5, 32767},
            {"-32768.5", -32768.5, -32768}, {"1e400", inf, 32767}, {"1e-400", 0, 0}};
        for (const auto& r : rows)
            QTest::addRow("\"%s\"", r.text) << QString::fromLatin1(r.text) << r.number << r.int16;
        QTest::newRow("tabs and line ends") << "\t-\r\n3.5" << -3.5 << -4;
        QTest::newRow("many digits") << QString(400, u'9') << inf << 32767;
        QTest::newRow("many zeros after point") << "0." + QString(400, u'0') + u'1' << 0.0 << 0;
        QTest::newRow("many digits, small exponent") << QString(400, u'9') + "e-800" << 0.0 << 0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QLocale::setDefault(kDe);
        const double x = ui::leadingNumber(text);
        QLocale::setDefault(kUs);
        COMPARE_EXACT(x, number);
        QTEST(int(toInt16(x)), "int16");
    }

    // Exact values convert both ways; others read to the nearest second. Years outside
    // 100..9999 give nothing, and no text.
    void dateValue_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("civil");
        QTest::addColumn<bool>("exact");
        const struct { const char* name; double value; const char* civil; bool exact; } rows[] = {
            {"ceremony", kSixPm, "2006-06-04T18:00:00", true},
            {"day zero", 0, "1899-12-30T00:00:00", true},
            {"1900 is no leap year", 61, "1900-03-01T00:00:00", true},
            {"before day zero the time runs forward", -1.25, "1899-12-29T06:00:00", true},
            {"first day", -657434, "0100-01-01T00:00:00", true},
            {"last day", 2958465, "9999-12-31T00:00:00", true},
            {"float error below", kSixPm - 1e-10, "2006-06-04T18:00:00", false},
            {"0.4 s above", kSixPm + 0.4 * kSecond, "2006-06-04T18:00:00", false},
            {"0.6 s above", kSixPm + 0.6 * kSecond, "2006-06-04T18:00:01", false},
            {"rounds into next day", 38872 + 86399.6 * kSecond, "2006-06-05T00:00:00", false},
            {"negative fraction only", -0.25, "1899-12-30T06:00:00", false},
            {"day before the first", -657435, "", false},
            {"rounds into year 10000", 2958466 - 0.4 * kSecond, "", false},
            {"1e19 days", 1e19, "", false}, {"-1e300 days", -1e300, "", false},
            {"infinity", qInf(), "", false}, {"NaN", qQNaN(), "", false}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.value << QString::fromLatin1(r.civil) << r.exact;
    }
    void dateValue()
    {
        QFETCH(double, value);
        QFETCH(QString, civil);
        const std::optional<CivilTime> t = fromDateValue(value);
        const QString got = !t ? QString() : QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d",
                                             t->year, t->month, t->day, t->hour, t->minute, t->second);
        QCOMPARE(got, civil);
        QCOMPARE(generalDate(value, kUs).isEmpty(), civil.isEmpty());
        if (QFETCH(bool, exact); exact)
            COMPARE_EXACT(toDateValue(t->year, t->month, t->day, t->hour, t->minute, t->second), value);
    }

    void dateValueMatchesQtCalendarEveryDay()
    {
        // QDate's proleptic Gregorian calendar is the reference, at a time of day that varies.
        const qint64 zero = QDate(1899, 12, 30).toJulianDay();
        for (qint64 day = -657434; day <= 2958465; ++day) {
            const QDate d = QDate::fromJulianDay(zero + day);
            const int s = int((day * 7919 % 86400 + 86400) % 86400);
            const CivilTime c{d.year(), d.month(), d.day(), s / 3600, s / 60 % 60, s % 60};
            const double v = toDateValue(c.year, c.month, c.day, c.hour, c.minute, c.second);
            if (std::trunc(v) != double(day) || fromDateValue(v) != c)
                QFAIL(qPrintable(d.toString(Qt::ISODate)));
        }
        // The clock's running second is dropped.
        COMPARE_EXACT(toDateValue(QDateTime(QDate(2006, 6, 4), QTime(17, 59, 59, 999))),
                      toDateValue(2006, 6, 4, 17, 59, 59));
    }

    // Texts the program writes ("shown") and reads; NaN: refused. US rows hold for C too.
    void dateText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("shown");
        const double day = 38872.0, fivePastNine = day + 0.375 + 300 * kSecond;
        const struct { const char* text; QLocale loc; double value; bool shown; } rows[] = {
            {"6/4/2006 6:00:00 PM", kUs, kSixPm, true}, {"8/24/2005", kUs, 38588, true},
            {"6/4/2006 12:00:01 AM", kUs, day + kSecond, true},
            {"6/4/2006 12:00:00 PM", kUs, day + 0.5, true},
            {"12/31/9999 11:59:59 PM", kUs, 2958465 + 86399 * kSecond, true},
            {"04.06.2006 18:00:00", kDe, kSixPm, true}, {"24.08.2005", kDe, 38588, true},
            {"2006. 06. 04. 18:00:00", QLocale("hu_HU"), kSixPm, true},
            {"2006-06-04 6:00:00 p.m.", QLocale("en_CA"), kSixPm, true},
            {"4/6/2006 6:00:00 \u0645", QLocale("ar_EG"), kSixPm, true},
            {"2006. 6. 4. 9:05:00 \uC624\uC804", QLocale("ko_KR"), fivePastNine, true},
            {"2006. 6. 4. 6:00:00\uC624\uD6C4", QLocale("ko_KR"), kSixPm, false},
            {"2006. 6. 4. \uC624\uD6C4 6:00:00", QLocale("ko_KR"), kSixPm, false},
            {"\u0664\u200F/\u0666\u200F/\u0662\u0660\u0660\u0666 18:00:00", QLocale("ar_EG"), kSixPm, false},
            {"6/4/2006 6:00:00PM", kUs, kSixPm, false}, {"6/4/2006 18:00:00", kUs, kSixPm, false},
            {"6/4/2006 6:00:00 pm", kUs, kSixPm, false},
            {"  6 / 4 / 2006   6 : 00 : 00   PM  ", kUs, kSixPm, false},
            {"6/4/2006 6:00 PM", kUs, kSixPm, false}, {"6/4/2006 6 PM", kUs, kSixPm, false},
            {"6-4-2006 6:00:00 PM", kUs, kSixPm, false}, {"6/4/2006 12:00:00 AM", kUs, day, false},
            // A suffix that agrees with a 24-hour hour changes nothing.
            {"6/4/2006 13:00:00PM", kUs, day + 13 / 24.0, false},
            {"6/4/2006 0:00:00 AM", kUs, day, false},
            {"04.06.2006 19:00:00PM", kDe, day + 19 / 24.0, false},
            {"6/4/29", kUs, toDateValue(2029, 6, 4), false}, {"6/4/30", kUs, toDateValue(1930, 6, 4), false},
            {"06.04.2006", kDe, toDateValue(2006, 4, 6), false},
            {"12/31/2006", kDe, kNone, false}, {"04.06.2006 24:00:00", kDe, kNone, false}};
        for (const auto& r : rows)
            QTest::addRow("%s %s", qPrintable(r.loc.name()), r.text) << QString(r.text) << r.loc << r.value << r.shown;
        for (const char* text : {"", "tomorrow", "6/4/2006 13:00:00AM", "6/4/2006 0:00:00 PM",
                                 "6/4/2006 24:00:00", "6/4/2006 6:75:00PM", "6/4/2006 x:00:00PM",
                                 "6/4/2006 6:", "6/4/2006 6", "6/4/2006 6:00:00 PM x", "2/29/2006",
                                 "13/4/2006", "6/4/20060"})
            QTest::addRow("refused \"%s\"", text) << text << kUs << kNone << false;
    }
    void dateText()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        for (const QLocale& loc : locale == kUs ? QList{kUs, QLocale::c()} : QList{locale}) {
            if (QFETCH(bool, shown); shown)
                QCOMPARE(generalDate(value, loc), text);
            const std::optional<double> v = readDateTime(text, loc);
            QCOMPARE(v ? seconds(*v) : -1, std::isnan(value) ? -1 : seconds(value));
        }
    }

    void everySecondOfADayAndDaysOfEveryCenturyReadBack()
    {
        for (int s = 0; s < 86400; ++s)
            QCOMPARE(roundTrip(38872 + s * kSecond, kUs), 38872 * 86400LL + s);
        for (qint64 day = -657434; day <= 2958465; day += 997)
            QCOMPARE(roundTrip(day + 0.6875, kDe), day * 86400 + 59400);
    }

    // Whatever the user's locale: its own short date with ASCII digits and no bidi marks,
    // the time in the one form the options dialog takes apart, and the text reads back.
    void everyLocaleWritesOneFormAndReadsItBack()
    {
        const double v = toDateValue(2006, 6, 4, 18, 30, 14);
        const QRegularExpression ascii(QStringLiteral("^(?:[0-9]|[^\\d\\p{Cf}])*$"));
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        QVERIFY(locales.size() > 600);
        for (const QLocale& loc : locales) {
            const bool twelve = hasTwelveHourClock(loc);
            const QString date = shortDate(v, loc);
            const QString time = twelve ? "6:30:14 " + halfDayNames(loc).at(1) : "18:30:14";
            QVERIFY2(generalDate(v, loc) == date + u' ' + time && date.contains("2006")
                         && ascii.match(date).hasMatch(),
                     qPrintable(loc.name() + ": " + generalDate(v, loc)));
            for (double w : {v, toDateValue(2006, 6, 4, 7, 5, 9), 38588.0, toDateValue(150, 1, 31, 12, 0, 1)})
                QVERIFY2(roundTrip(w, loc) == seconds(w), qPrintable(loc.name() + ": " + generalDate(w, loc)));
        }
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"

// The number, Date value, leading-number and date-text rules, to the exact double or character.
#include "support/rows.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/leadnum.h"
#include "ui/numbers.h"
#include "ui/typedtext.h"

using namespace ui;

namespace {

constexpr double kSixPm = 38872.75;
const double kNone = qQNaN(), kInf = qInf();
const QLocale kUs(QLocale::English, QLocale::UnitedStates), kDe(QLocale::German, QLocale::Germany);

// QCOMPARE is fuzzy; these rules are about the exact double and its sign (Qt writes -0 as 0).
QString exact(double x) { return QString::number(x, 'g', 17) + (std::signbit(x) ? " (-)" : ""); }

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(kDe); } // where "," is the decimal point
    // Int floors; Mod rounds its operands half to even and keeps the dividend's sign (a floored
    // modulo would give 6 for -8 Mod 7); Round goes half to even; no result is negative zero.
    void arithmetic_data()
    {
        table<char, double, double, double>({"op", "x", "y", "expected"},
            {{"Int(-0.3)", 'I', -0.3, 0, -1}, {"-8 Mod 7", 'M', -8, 7, -1},
                {"-7 Mod 7", 'M', -7, 7, 0}, {"7.5 Mod 4.5 is 8 Mod 4", 'M', 7.5, 4.5, 0},
                {"Round(1.5)", 'R', 1.5, 0, 2}, {"Round(-0.5)", 'R', -0.5, 0, 0},
                {"Round(0.125, 2)", 'R', 0.125, 2, 0.12}, {"huge", 'R', 1e305, 5, 1e305},
                {"negative n counts as 0", 'R', 2.7, -1, 3}});
    }
    void arithmetic()
    {
        const double x = cell<double>("x"), y = cell<double>("y");
        const char op = cell<char>("op");
        const double r = op == 'I' ? Int(x) : op == 'M' ? Mod(x, y) : Round(x, int(y));
        QCOMPARE(exact(r), exact(cell<double>("expected")));
    }

    // At most 15 digits, ASCII digits, no grouping; "," only where the locale's point is ",".
    void numberText_data()
    {
        table<double, QLocale, QString>({"x", "loc", "text"},
            {{"negative zero", -0.0, kUs, "0"},
                {"largest plain", 123456789012345.0, kUs, "123456789012345"},
                {"large exponent", 1e15, kUs, "1E+15"}, {"small plain", 0.0001, kUs, "0.0001"},
                {"de", 1.234e-6, kDe, "1,234E-06"},
                {"ar_EG", 2.0 / 3.0, QLocale("ar_EG"), "0.666666666666667"}});
    }
    void numberText() { QTEST(numberToText(cell<double>("x"), cell<QLocale>("loc")), "text"); }

    // The number a typed text starts with ("." always the point, even in German) and the
    // nearest 16-bit integer of it, half to even and clamped rather than wrapped.
    void leadingNumber_data()
    {
        const QString nines(400, u'9');
        table<QString, double, int>({"text", "number", "int16"},
            {{"plus", "+2.5", 2.5, 2}, {"comma", "1,5", 1, 1},
                {"blanks, D exponent", "\t-\r\n3 .5D1x", -35, -35}, {"bare exponent", "1e+", 1, 1},
                {"two signs", "--1", 0, 0}, {"bottom", "-32768.5", -32768.5, -32768},
                {"many digits", nines, kInf, 32767},
                {"many digits, small exponent", nines + "e-800", 0, 0}});
    }
    void leadingNumber()
    {
        const double x = ui::leadingNumber(cell<QString>("text"));
        QCOMPARE(exact(x), exact(cell<double>("number")));
        QTEST(int(toInt16(x)), "int16");
    }

    // A decimal digit of any script reads as its ASCII digit; no other character changes.
    void asciiDigits_data()
    {
        table<QString, QString>({"text", "ascii"},
            {{"Arabic-Indic", "\u0669:\u0663\u0660", "9:30"},
                {"beyond 16 bits", "\U0001D7D1x", "3x"},
                {"no decimal digits", "\u00B2\u00BD\u2167a-1.5", "\u00B2\u00BD\u2167a-1.5"},
                {"lone surrogate", QChar(0xD835) + QString("\u0663"),
                    QChar(0xD835) + QString("3")}});
    }
    void asciiDigits() { QTEST(ui::asciiDigits(cell<QString>("text")), "ascii"); }

    // Texts read, each row named by its text; NaN: refused. The time runs forward even before
    // day zero; a suffix that agrees with a 24-hour hour changes nothing. US rows hold for C too.
    void dateText_data()
    {
        table<QLocale, double>({"locale", "value"},
            {{"6/4/2006 6:00:00 PM", kUs, kSixPm},
                {"  12 / 29 / 1899   6 : 00 : 00   AM  ", kUs, -1.25}, {"1/1/0100", kUs, -657434},
                {"2006. 6. 4. \uC624\uD6C4 6:00:00", QLocale("ko_KR"), kSixPm},
                {"\u0664\u200F/\u0666\u200F/\u0662\u0660\u0660\u0666 18:00:00", QLocale("ar_EG"),
                    kSixPm},
                {"04.06.06 6:00:00 am Namittag", QLocale("gsw_CH"), kSixPm},
                {"2006-06-04 18 h 00 min 00 s", QLocale("fr_CA"), kSixPm},
                {"6/4/2006 13:00:00PM", kUs, toDateValue(2006, 6, 4, 13)},
                {"6/4/29", kUs, toDateValue(2029, 6, 4)}, {"6/4/30", kUs, toDateValue(1930, 6, 4)},
                {"4.06.2006 18:00:00,", QLocale("be_BY"), kNone}});
        for (const char* text : {"", "6/4/2006 13:00:00AM", "6/4/2006 0:00:00 PM",
                 "6/4/2006 24:00:00", "2/29/2006", "6/4/20060"})
            QTest::newRow(text) << kUs << kNone;
    }
    void dateText()
    {
        const QString text = QString::fromUtf8(QTest::currentDataTag());
        const QLocale row = cell<QLocale>("locale");
        for (const QLocale& loc : row == kUs ? QList {kUs, QLocale::c()} : QList {row})
            QCOMPARE(exact(readDateTime(text, loc).value_or(kNone)), exact(cell<double>("value")));
    }

    // QDate's proleptic Gregorian calendar is the reference for every day, at a time of day
    // that varies to meet every second of the day; the clock's running second is dropped.
    // Only the years 100..9999 are written.
    void everyDay()
    {
        const qint64 zero = QDate(1899, 12, 30).toJulianDay();
        for (qint64 day = -657434; day <= 2958465; ++day) {
            const QDate d = QDate::fromJulianDay(zero + day);
            const int s = int((day * 7919 % 86400 + 86400) % 86400);
            const CivilTime c {d.year(), d.month(), d.day(), s / 3600, s / 60 % 60, s % 60};
            const double v = toDateValue(c.year, c.month, c.day, c.hour, c.minute, c.second);
            if (std::trunc(v) != double(day) || fromDateValue(v) != c)
                QFAIL(qPrintable(d.toString(Qt::ISODate) + ' ' + QString::number(s)));
        }
        for (double v : {-657435.0, 2958466 - 0.4 / 86400, 1e19, kInf, kNone})
            QVERIFY(!fromDateValue(v) && shortDate(v, kUs).isEmpty());
        QCOMPARE(shortDate(-657434, kUs), "1/1/0100");
        QCOMPARE(toDateValue(QDateTime(QDate(2006, 6, 4), QTime(17, 59, 59, 999))),
            toDateValue(2006, 6, 4, 17, 59, 59));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"

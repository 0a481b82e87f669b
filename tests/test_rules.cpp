// The arithmetic and Date value rules, to the exact double.
#include "support/rows.h"
#include "ui/datevalue.h"
#include "ui/numbers.h"

using namespace ui;

class TestRules : public QObject {
    Q_OBJECT

private slots:
    // Mod rounds its operands half to even, Round its result; neither gives negative zero.
    // (Int's floor, Mod's sign and Round's whole numbers, the countdown's own test sees.)
    void arithmetic_data()
    {
        table<char, double, double, double>({"op", "x", "y", "expected"},
            {{"-7 Mod 7", 'M', -7, 7, 0}, {"7.5 Mod 4.5 is 8 Mod 4", 'M', 7.5, 4.5, 0},
                {"Round(-0.5)", 'R', -0.5, 0, 0}, {"Round(0.125, 2)", 'R', 0.125, 2, 0.12}});
    }
    void arithmetic()
    {
        const double x = cell<double>("x"), y = cell<double>("y");
        const double r = cell<char>("op") == 'M' ? Mod(x, y) : Round(x, int(y));
        const double expected = cell<double>("expected");
        // QCOMPARE is fuzzy; these rules are about the exact double and its sign.
        QVERIFY2(r == expected && std::signbit(r) == std::signbit(expected),
            qPrintable(QString::number(r, 'g', 17) + (std::signbit(r) ? " (-)" : "")));
    }

    // QDate's proleptic Gregorian calendar is the reference for every day, at a time of day
    // that varies to meet every second of the day; the clock's running second is dropped.
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
        QCOMPARE(toDateValue(QDateTime(QDate(2006, 6, 4), QTime(17, 59, 59, 999))),
            toDateValue(2006, 6, 4, 17, 59, 59));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"

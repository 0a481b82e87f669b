#include "ui/datetext.h"
#include "ui/datevalue.h"

#include <QtTest>

using namespace ui;

#define COMPARE_EXACT(actual, expected)                                                \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("got %1, expected %2")  \
                                                    .arg((actual), 0, 'g', 17)         \
                                                    .arg((expected), 0, 'g', 17)))

Q_DECLARE_METATYPE(ui::CivilTime)

namespace ui {
// Lets QCOMPARE print a CivilTime when it fails.
char* toString(const CivilTime& t)
{
    return qstrdup(qPrintable(QStringLiteral("%1-%2-%3 %4:%5:%6").arg(t.year).arg(t.month)
                                  .arg(t.day).arg(t.hour).arg(t.minute).arg(t.second)));
}
}  // namespace ui

class TestDateValue : public QObject
{
    Q_OBJECT

private slots:
    // Exact values convert both ways; the others are read to the nearest second.
    void conversions_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<CivilTime>("civil");
        QTest::addColumn<bool>("exact");
        using C = CivilTime;
        const double six = 38872.75, second = 1.0 / 86400.0;
        QTest::newRow("4 Jun 2006 18:00") << six << C{2006, 6, 4, 18, 0, 0} << true;
        QTest::newRow("day zero") << 0.0 << C{1899, 12, 30, 0, 0, 0} << true;
        // 1900 is no leap year in the Gregorian calendar.
        QTest::newRow("1 Mar 1900") << 61.0 << C{1900, 3, 1, 0, 0, 0} << true;
        QTest::newRow("29 Feb 2000") << 36585.0 << C{2000, 2, 29, 0, 0, 0} << true;
        // Before day zero the fraction still counts forward from midnight.
        QTest::newRow("29 Dec 1899 06:00") << -1.25 << C{1899, 12, 29, 6, 0, 0} << true;
        QTest::newRow("28 Dec 1899 18:00") << -2.75 << C{1899, 12, 28, 18, 0, 0} << true;
        QTest::newRow("first year") << -657434.0 << C{100, 1, 1, 0, 0, 0} << true;
        QTest::newRow("last day") << 2958465.0 << C{9999, 12, 31, 0, 0, 0} << true;

        QTest::newRow("one second early") << six - second << C{2006, 6, 4, 17, 59, 59} << false;
        // Truncating would give 17:59:59 here.
        QTest::newRow("float error below") << six - 1e-10 << C{2006, 6, 4, 18, 0, 0} << false;
        QTest::newRow("0.4 s above") << six + 0.4 * second << C{2006, 6, 4, 18, 0, 0} << false;
        QTest::newRow("0.6 s above") << six + 0.6 * second << C{2006, 6, 4, 18, 0, 1} << false;
        QTest::newRow("rounds into next day")
            << 38872.0 + 86399.6 * second << C{2006, 6, 5, 0, 0, 0} << false;
        // A floored reading would put these on 28 Dec and on 29 Dec.
        QTest::newRow("negative value 18:00") << -1.75 << C{1899, 12, 29, 18, 0, 0} << false;
        QTest::newRow("negative fraction only") << -0.25 << C{1899, 12, 30, 6, 0, 0} << false;
    }
    void conversions()
    {
        QFETCH(double, value);
        QFETCH(CivilTime, civil);
        QFETCH(bool, exact);
        QCOMPARE(fromDateValue(value).value_or(CivilTime{0, 0, 0}), civil);
        if (exact)
            COMPARE_EXACT(toDateValue(civil.year, civil.month, civil.day, civil.hour,
                                      civil.minute, civil.second), value);
    }

    // Beyond the years that can be written nothing is made up, and nothing overflows.
    void unwritableValuesAreRefused_data()
    {
        QTest::addColumn<double>("value");
        const double second = 1.0 / 86400.0;
        QTest::newRow("31 Dec 99") << -657435.0;
        QTest::newRow("rounds into year 10000") << 2958466.0 - 0.4 * second;
        QTest::newRow("1e19 days") << 1e19;
        QTest::newRow("-1e300 days") << -1e300;
        QTest::newRow("infinity") << qInf();
        QTest::newRow("NaN") << qQNaN();
    }
    void unwritableValuesAreRefused()
    {
        QFETCH(double, value);
        QVERIFY(!fromDateValue(value));
        QCOMPARE(generalDate(value), QString());
    }

    void everyDayMatchesQtCalendar()
    {
        // QDate's proleptic Gregorian calendar is the reference for every day
        // from 1 Jan 100 to 31 Dec 9999, at a time of day that varies.
        const qint64 zeroJulian = QDate(1899, 12, 30).toJulianDay();
        for (qint64 day = -657434; day <= 2958465; ++day) {
            const QDate date = QDate::fromJulianDay(zeroJulian + day);
            const int secs = int((day * 7919) % 86400 + 86400) % 86400;
            const CivilTime civil{date.year(), date.month(), date.day(),
                                  secs / 3600,  secs / 60 % 60, secs % 60};
            const double value = toDateValue(civil.year, civil.month, civil.day, civil.hour,
                                             civil.minute, civil.second);
            if (std::trunc(value) != double(day) || !(fromDateValue(value) == civil))
                QFAIL(qPrintable(QStringLiteral("mismatch on %1 (%2)")
                                     .arg(date.toString(Qt::ISODate))
                                     .arg(value, 0, 'g', 17)));
        }
    }

    void clockDropsPartialSecond()
    {
        const QDateTime almostNext(QDate(2006, 6, 4), QTime(17, 59, 59, 999));
        COMPARE_EXACT(toDateValue(almostNext), toDateValue(2006, 6, 4, 17, 59, 59));
        COMPARE_EXACT(toDateValue(QDateTime(QDate(2006, 6, 4), QTime(18, 0))), 38872.75);
    }
};

QTEST_GUILESS_MAIN(TestDateValue)
#include "test_datevalue.moc"

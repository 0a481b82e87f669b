#include "ui/vbmath.h"

#include <QtTest>

#include <limits>

using namespace ui;

// QCOMPARE on doubles is fuzzy; these rules are about the exact double.
#define COMPARE_EXACT(actual, expected)                                                \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("got %1, expected %2")  \
                                                    .arg((actual), 0, 'g', 17)         \
                                                    .arg((expected), 0, 'g', 17)))

class TestVbMath : public QObject
{
    Q_OBJECT

private slots:
    void intTowardMinusInfinity_data();
    void intTowardMinusInfinity();
    void modKeepsDividendSign_data();
    void modKeepsDividendSign();
    void roundHalfToEven_data();
    void roundHalfToEven();
    void roundLandsOnNearestDouble();
    void numberText_data();
    void numberText();
    void numberTextUsesLocaleSeparator_data();
    void numberTextUsesLocaleSeparator();
};

void TestVbMath::intTowardMinusInfinity_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("positive fraction") << 2.9 << 2.0;
    QTest::newRow("small negative") << -0.3 << -1.0;
    QTest::newRow("negative half") << -2.5 << -3.0;
    QTest::newRow("negative whole") << -2.0 << -2.0;
    QTest::newRow("zero") << 0.0 << 0.0;
}

void TestVbMath::intTowardMinusInfinity()
{
    QFETCH(double, x);
    QFETCH(double, expected);
    COMPARE_EXACT(Int(x), expected);
}

void TestVbMath::modKeepsDividendSign_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("11 mod 7") << 11.0 << 7.0 << 4.0;
    // A floored modulo would give 6, 6 and 0 for these.
    QTest::newRow("-1 mod 7") << -1.0 << 7.0 << -1.0;
    QTest::newRow("-8 mod 7") << -8.0 << 7.0 << -1.0;
    QTest::newRow("-7 mod 7") << -7.0 << 7.0 << 0.0;
    QTest::newRow("8 mod -7") << 8.0 << -7.0 << 1.0;
    QTest::newRow("large") << 1e15 + 3 << 10.0 << 3.0;
    // Operands are rounded half to even first: 8 Mod 5 and 6 Mod 5.
    QTest::newRow("7.5 rounds up") << 7.5 << 5.0 << 3.0;
    QTest::newRow("6.5 rounds down") << 6.5 << 5.0 << 1.0;
}

void TestVbMath::modKeepsDividendSign()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    const double r = Mod(a, b);
    COMPARE_EXACT(r, expected);
    QVERIFY2(!std::signbit(r) || r != 0.0, "a zero remainder must not be negative zero");
}

void TestVbMath::roundHalfToEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.5") << 0.5 << 0 << 0.0;
    QTest::newRow("1.5") << 1.5 << 0 << 2.0;
    QTest::newRow("2.5") << 2.5 << 0 << 2.0;
    QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
    QTest::newRow("284.75") << 284.75 << 0 << 285.0;
    QTest::newRow("just under half") << 2.4999999 << 0 << 2.0;
    QTest::newRow("just over half") << 2.5000001 << 0 << 3.0;
    // Binary-exact halves at two decimals.
    QTest::newRow("0.125 to 2") << 0.125 << 2 << 0.12;
    QTest::newRow("0.375 to 2") << 0.375 << 2 << 0.38;
    // Scaling 1e305 by 1e5 overflows; the value is whole anyway.
    QTest::newRow("huge") << 1e305 << 5 << 1e305;
    QTest::newRow("negative n counts as 0") << 2.7 << -1 << 3.0;
}

void TestVbMath::roundHalfToEven()
{
    QFETCH(double, x);
    QFETCH(int, n);
    QFETCH(double, expected);
    COMPARE_EXACT(Round(x, n), expected);
}

void TestVbMath::roundLandsOnNearestDouble()
{
    // A percentage the countdown shows: 203 days 9:30:15 out of 285 days.
    const double elapsed = 203.0 + 34215.0 / 86400.0;
    const double percent = Round(elapsed / 285.0 * 100.0, 5);
    COMPARE_EXACT(percent, 71.36702);
    QCOMPARE(numberToText(percent), QStringLiteral("71.36702"));
}

void TestVbMath::numberText_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("negative whole") << -3.0 << "-3";
    QTest::newRow("fraction") << 71.36702 << "71.36702";
    QTest::newRow("one decimal") << 43.1 << "43.1";
    QTest::newRow("float noise hidden") << 0.1 + 0.2 << "0.3";
    QTest::newRow("fifteen digits") << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("largest plain") << 123456789012345.0 << "123456789012345";
    QTest::newRow("large exponent") << 1e15 << "1E+15";
    QTest::newRow("small plain") << 0.0001 << "0.0001";
    QTest::newRow("small exponent") << 0.00001 << "1E-05";
    QTest::newRow("small mantissa") << 1.234e-6 << "1.234E-06";
}

void TestVbMath::numberText()
{
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(numberToText(x, QLocale::c()), expected);
    QCOMPARE(numberToText(x, QLocale(QLocale::English, QLocale::UnitedStates)), expected);
}

void TestVbMath::numberTextUsesLocaleSeparator_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fraction") << 71.36702 << "71,36702";
    QTest::newRow("no grouping") << 1234.5 << "1234,5";
    QTest::newRow("exponent") << 1.5e-7 << "1,5E-07";
}

void TestVbMath::numberTextUsesLocaleSeparator()
{
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(numberToText(x, QLocale(QLocale::German, QLocale::Germany)), expected);
}

QTEST_GUILESS_MAIN(TestVbMath)
#include "test_vbmath.moc"

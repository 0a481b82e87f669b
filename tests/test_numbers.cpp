#include "ui/numbers.h"

#include <QtTest>

using namespace ui;

// QCOMPARE on doubles is fuzzy; these rules are about the exact double.
#define COMPARE_EXACT(actual, expected)                                                \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("got %1, expected %2")  \
                                                    .arg((actual), 0, 'g', 17)         \
                                                    .arg((expected), 0, 'g', 17)))

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    // Int rounds toward minus infinity; Mod rounds its operands half to even and keeps the
    // dividend's sign (a floored modulo would give 6 for -8 Mod 7); Round goes half to even.
    void arithmetic_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("expected");
        QTest::newRow("Int(2.9)") << "Int" << 2.9 << 0.0 << 2.0;
        QTest::newRow("Int(-0.3)") << "Int" << -0.3 << 0.0 << -1.0;
        QTest::newRow("Int(-2)") << "Int" << -2.0 << 0.0 << -2.0;
        QTest::newRow("11 Mod 7") << "Mod" << 11.0 << 7.0 << 4.0;
        QTest::newRow("-8 Mod 7") << "Mod" << -8.0 << 7.0 << -1.0;
        QTest::newRow("8 Mod -7") << "Mod" << 8.0 << -7.0 << 1.0;
        QTest::newRow("-7 Mod 7") << "Mod" << -7.0 << 7.0 << 0.0;
        QTest::newRow("7.5 Mod 5 is 8 Mod 5") << "Mod" << 7.5 << 5.0 << 3.0;
        QTest::newRow("6.5 Mod 5 is 6 Mod 5") << "Mod" << 6.5 << 5.0 << 1.0;
        QTest::newRow("Round(0.5)") << "Round" << 0.5 << 0.0 << 0.0;
        QTest::newRow("Round(1.5)") << "Round" << 1.5 << 0.0 << 2.0;
        QTest::newRow("Round(2.5)") << "Round" << 2.5 << 0.0 << 2.0;
        QTest::newRow("Round(-2.5)") << "Round" << -2.5 << 0.0 << -2.0;
        QTest::newRow("just over half") << "Round" << 2.5000001 << 0.0 << 3.0;
        // Binary-exact halves at two decimals.
        QTest::newRow("Round(0.125, 2)") << "Round" << 0.125 << 2.0 << 0.12;
        QTest::newRow("Round(0.375, 2)") << "Round" << 0.375 << 2.0 << 0.38;
        // Scaling 1e305 by 1e5 overflows; the value is whole anyway.
        QTest::newRow("huge") << "Round" << 1e305 << 5.0 << 1e305;
        QTest::newRow("negative n counts as 0") << "Round" << 2.7 << -1.0 << 3.0;
        // A percentage the countdown shows: 203 days 9:30:15 out of 285 days.
        QTest::newRow("countdown percent")
            << "Round" << (203.0 + 34215.0 / 86400.0) / 285.0 * 100.0 << 5.0 << 71.36702;
    }
    void arithmetic()
    {
        QFETCH(QString, op);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, expected);
        const double r = op == "Int" ? Int(x) : op == "Mod" ? Mod(x, y) : Round(x, int(y));
        COMPARE_EXACT(r, expected);
        QVERIFY2(!std::signbit(r) || r != 0.0, "a zero result must not be negative zero");
    }

    void numberText_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("whole") << 12.0 << us << "12";
        QTest::newRow("negative zero") << -0.0 << us << "0";
        QTest::newRow("negative whole") << -3.0 << QLocale::c() << "-3";
        QTest::newRow("fraction") << 71.36702 << QLocale::c() << "71.36702";
        QTest::newRow("float noise hidden") << 0.1 + 0.2 << us << "0.3";
        QTest::newRow("fifteen digits") << 2.0 / 3.0 << us << "0.666666666666667";
        QTest::newRow("largest plain") << 123456789012345.0 << us << "123456789012345";
        QTest::newRow("large exponent") << 1e15 << us << "1E+15";
        QTest::newRow("small plain") << 0.0001 << us << "0.0001";
        QTest::newRow("small exponent") << 0.00001 << us << "1E-05";
        QTest::newRow("small mantissa") << 1.234e-6 << QLocale::c() << "1.234E-06";
        QTest::newRow("de, no grouping") << 1234.5 << de << "1234,5";
        QTest::newRow("de, exponent") << 1.5e-7 << de << "1,5E-07";
        // ASCII digits everywhere; the Arabic separator goes with Arabic-Indic digits only.
        QTest::newRow("ar_EG") << 71.36702 << QLocale(QStringLiteral("ar_EG")) << "71.36702";
        QTest::newRow("ar_MA") << 71.36702 << QLocale(QStringLiteral("ar_MA")) << "71,36702";
        QTest::newRow("mr_IN") << 43.1 << QLocale(QStringLiteral("mr_IN")) << "43.1";
    }
    void numberText()
    {
        QFETCH(double, x);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(numberToText(x, locale), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"

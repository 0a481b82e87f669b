#include "ui/leadnum.h"

#include <QtTest>

#include <limits>

using namespace ui;

#define COMPARE_EXACT(actual, expected)                                                \
    QVERIFY2((actual) == (expected), qPrintable(QStringLiteral("got %1, expected %2")  \
                                                    .arg((actual), 0, 'g', 17)         \
                                                    .arg((expected), 0, 'g', 17)))

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
}

class TestLeadNum : public QObject
{
    Q_OBJECT

private slots:
    // A locale with a decimal comma, so that every row also shows the point never follows it.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void leading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("stops at colon") << "6:" << 6.0;
        QTest::newRow("negative fraction") << "-3.5" << -3.5;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("comma is no point") << "1,5" << 1.0;
        QTest::newRow("blank inside") << " 1 2" << 12.0;
        QTest::newRow("tabs and line ends") << "\t-\r\n3.5" << -3.5;

        QTest::newRow("exponent") << "1e2x" << 100.0;
        QTest::newRow("negative exponent") << "1e-2" << 0.01;
        QTest::newRow("D exponent") << "1D3" << 1000.0;
        QTest::newRow("sign without digits") << "1e+" << 1.0;

        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("only minus") << "-" << 0.0;
        QTest::newRow("only point") << "." << 0.0;
        QTest::newRow("letters first") << "abc12" << 0.0;
        QTest::newRow("double sign") << "--1" << 0.0;

        // Beyond a double's range: infinity or zero, never garbage.
        QTest::newRow("overflow") << "1e400" << kInf;
        QTest::newRow("underflow") << "1e-400" << 0.0;
        QTest::newRow("many digits") << QString(400, u'9') << kInf;
        QTest::newRow("many zeros after point")
            << QStringLiteral("0.") + QString(400, u'0') + u'1' << 0.0;
        QTest::newRow("many digits, small exponent") << QString(400, u'9') + "e-800" << 0.0;
    }
    void leading()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        COMPARE_EXACT(leadingNumber(text), expected);
    }

    void int16HalfToEvenAndClamped_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-1.5") << -1.5 << -2;
        // Would round to 32768 and wrap to -32768 without clamping.
        QTest::newRow("top half") << 32767.5 << 32767;
        QTest::newRow("bottom half") << -32768.5 << -32768;
        QTest::newRow("infinity") << kInf << 32767;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
    }
    void int16HalfToEvenAndClamped()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(int(toInt16(x)), expected);
    }
};

QTEST_GUILESS_MAIN(TestLeadNum)
#include "test_leadnum.moc"

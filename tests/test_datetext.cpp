#include "ui/datetext.h"

#include "ui/datevalue.h"

#include <QtTest>

#include <cmath>

using namespace ui;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
const double kSixPm = 38872.75;  // 4 June 2006 18:00

QLocale usEnglish()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale german()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

qint64 toSeconds(double v)
{
    return std::llround(v * 86400.0);
}

// Any locale's text for one moment must read back as that moment.
void checkRoundTrip(double v, const QLocale& loc)
{
    const QString text = generalDate(v, loc);
    const std::optional<double> back = readDateTime(text, loc);
    QVERIFY2(back.has_value(), qPrintable(loc.name() + QStringLiteral(": unreadable \"")
                                          + text + u'"'));
    QVERIFY2(toSeconds(*back) == toSeconds(v),
             qPrintable(loc.name() + QStringLiteral(": \"") + text + u'"'));
}

}  // namespace

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void usGeneralDate_data();
    void usGeneralDate();
    void germanGeneralDate();
    void noTwoDigitYearOrZone_data();
    void noTwoDigitYearOrZone();
    void readUs_data();
    void readUs();
    void rejectUs_data();
    void rejectUs();
    void readGerman();
    void roundTripEverySecondUs();
    void roundTripSampled_data();
    void roundTripSampled();
    void everyLocaleReadsItsOwnText();
};

void TestDateText::usGeneralDate_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("evening") << kSixPm << "6/4/2006 6:00:00 PM";
    QTest::newRow("midnight has no time") << 38588.0 << "8/24/2005";
    QTest::newRow("noon") << 38872.5 << "6/4/2006 12:00:00 PM";
    QTest::newRow("just after midnight") << 38872.0 + kSecond << "6/4/2006 12:00:01 AM";
    QTest::newRow("float error rounds") << kSixPm - kSecond << "6/4/2006 5:59:59 PM";
    QTest::newRow("year outside 1930-2029") << toDateValue(1929, 1, 1) << "1/1/1929";
    QTest::newRow("last second") << 2958465.0 + 86399 * kSecond << "12/31/9999 11:59:59 PM";
}

void TestDateText::usGeneralDate()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(generalDate(value, usEnglish()), expected);
    QCOMPARE(generalDate(value, QLocale::c()), expected);
}

void TestDateText::germanGeneralDate()
{
    QCOMPARE(generalDate(kSixPm, german()), QStringLiteral("04.06.2006 18:00:00"));
    QCOMPARE(generalDate(38588.0, german()), QStringLiteral("24.08.2005"));
    QCOMPARE(generalDate(38872.0 + kSecond, german()), QStringLiteral("04.06.2006 00:00:01"));
}

void TestDateText::noTwoDigitYearOrZone_data()
{
    QTest::addColumn<QLocale>("locale");
    for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "zh_CN", "fa_IR",
                             "ko_KR", "hu_HU", "fi_FI"})
        QTest::newRow(name) << QLocale(QString::fromLatin1(name));
}

void TestDateText::noTwoDigitYearOrZone()
{
    QFETCH(QLocale, locale);
    const double v = toDateValue(2006, 6, 4, 18, 30, 45);
    const QString text = generalDate(v, locale);
    QVERIFY2(text.contains(locale.toString(2006).remove(locale.groupSeparator())),
             qPrintable(text));
    const QDateTime moment(QDate(2006, 6, 4), QTime(18, 30, 45));
    const QString zone = moment.timeZoneAbbreviation();
    QVERIFY2(zone.isEmpty() || !text.contains(zone), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("()")), qPrintable(text));
    QCOMPARE(text, text.trimmed());
}

void TestDateText::readUs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    const double day = 38872.0;
    QTest::newRow("PM glued") << "6/4/2006 6:00:00PM" << kSixPm;
    QTest::newRow("AM glued") << "6/4/2006 9:30:00AM" << day + 9.5 / 24;
    QTest::newRow("PM after blank") << "6/4/2006 9:30:00 PM" << day + 21.5 / 24;
    QTest::newRow("24-hour") << "6/4/2006 18:00:00" << kSixPm;
    QTest::newRow("lower case pm") << "6/4/2006 6:00:00 pm" << kSixPm;
    QTest::newRow("extra blanks")
        << "  6 / 4 / 2006   6 : 00 : 00   PM  " << kSixPm;
    QTest::newRow("no seconds") << "6/4/2006 6:00 PM" << kSixPm;
    QTest::newRow("hour and suffix") << "6/4/2006 6 PM" << kSixPm;
    QTest::newRow("dashes") << "6-4-2006 6:00:00 PM" << kSixPm;
    QTest::newRow("date alone") << "6/4/2006" << day;
    QTest::newRow("12 AM is midnight") << "6/4/2006 12:00:00 AM" << day;
    QTest::newRow("12 PM is noon") << "6/4/2006 12:30:00 PM" << day + 12.5 / 24;
    QTest::newRow("last second") << "6/4/2006 23:59:59" << day + 86399 * kSecond;
    QTest::newRow("short year 29") << "6/4/29" << toDateValue(2029, 6, 4);
    QTest::newRow("short year 30") << "6/4/30" << toDateValue(1930, 6, 4);
    QTest::newRow("leap day") << "2/29/2000" << toDateValue(2000, 2, 29);
}

void TestDateText::readUs()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    for (const QLocale& loc : {usEnglish(), QLocale::c()}) {
        const std::optional<double> v = readDateTime(text, loc);
        QVERIFY2(v.has_value(), qPrintable(loc.name()));
        QCOMPARE(toSeconds(*v), toSeconds(expected));
    }
}

void TestDateText::rejectUs_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "tomorrow";
    QTest::newRow("13 PM") << "6/4/2006 13:00:00PM";
    QTest::newRow("0 AM") << "6/4/2006 0:00:00 AM";
    QTest::newRow("24 hours") << "6/4/2006 24:00:00";
    QTest::newRow("75 minutes") << "6/4/2006 6:75:00PM";
    QTest::newRow("missing hour") << "6/4/2006 :00:00PM";
    QTest::newRow("letter hour") << "6/4/2006 x:00:00PM";
    QTest::newRow("dangling colon") << "6/4/2006 6:";
    QTest::newRow("bare hour") << "6/4/2006 6";
    QTest::newRow("trailing text") << "6/4/2006 6:00:00 PM x";
    QTest::newRow("30 February") << "2/30/2006";
    QTest::newRow("29 February, no leap year") << "2/29/2006";
    // Month first: 13 can't be a month, even though 13 April exists.
    QTest::newRow("month 13") << "13/4/2006";
    QTest::newRow("trailing separator") << "6/4/2006/";
    QTest::newRow("five-digit year") << "6/4/20060";
}

void TestDateText::rejectUs()
{
    QFETCH(QString, text);
    QCOMPARE(readDateTime(text, usEnglish()), std::optional<double>());
    QCOMPARE(readDateTime(text, QLocale::c()), std::optional<double>());
}

void TestDateText::readGerman()
{
    const QLocale de = german();
    QCOMPARE(readDateTime(QStringLiteral("04.06.2006 18:00:00"), de), std::optional(kSixPm));
    QCOMPARE(readDateTime(QStringLiteral("4.6.2006"), de), std::optional(38872.0));
    // Day first: this is 6 April, and there is no 31st month.
    QCOMPARE(readDateTime(QStringLiteral("06.04.2006"), de),
             std::optional(toDateValue(2006, 4, 6)));
    QCOMPARE(readDateTime(QStringLiteral("12/31/2006"), de), std::optional<double>());
    QCOMPARE(readDateTime(QStringLiteral("04.06.2006 24:00:00"), de), std::optional<double>());
}

void TestDateText::roundTripEverySecondUs()
{
    const QLocale loc = usEnglish();
    for (int s = 0; s < 86400; ++s) {
        const double v = toDateValue(2006, 6, 4, s / 3600, s / 60 % 60, s % 60);
        checkRoundTrip(v, loc);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestDateText::roundTripSampled_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("de_DE") << german();
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France);
    QTest::newRow("fi_FI") << QLocale(QLocale::Finnish, QLocale::Finland);
    QTest::newRow("hu_HU") << QLocale(QLocale::Hungarian, QLocale::Hungary);
    QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan);
}

void TestDateText::roundTripSampled()
{
    QFETCH(QLocale, locale);
    // Seconds spread over a day, and days spread over the supported years.
    for (int s = 0; s < 86400; s += 37) {
        checkRoundTrip(38872.0 + s * kSecond, locale);
        if (QTest::currentTestFailed())
            return;
    }
    for (double day = -657434; day <= 2958465; day += 997) {
        checkRoundTrip(day + 0.6875, locale);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestDateText::everyLocaleReadsItsOwnText()
{
    // Whatever the user's locale, a date the program shows must read back.
    const QList<double> moments = {toDateValue(2006, 6, 4, 18, 30, 14),
                                   toDateValue(2006, 6, 4, 7, 5, 9), 38588.0,
                                   toDateValue(150, 1, 31, 12, 0, 1)};
    const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                  QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    for (const QLocale& loc : locales) {
        for (double v : moments) {
            checkRoundTrip(v, loc);
            if (QTest::currentTestFailed())
                return;
        }
    }
}

QTEST_GUILESS_MAIN(TestDateText)
#include "test_datetext.moc"

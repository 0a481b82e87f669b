#include "ui/datetext.h"

#include "ui/datevalue.h"

#include <QtTest>

#include <cmath>

using namespace ui;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
const double kSixPm = 38872.75;  // 4 June 2006 18:00
const double kRejected = qQNaN();
const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kDe(QLocale::German, QLocale::Germany);

qint64 toSeconds(double v)
{
    return std::llround(v * 86400.0);
}

// Any locale's text for one moment must read back as that moment.
void checkRoundTrip(double v, const QLocale& loc)
{
    const QString text = generalDate(v, loc);
    const std::optional<double> back = readDateTime(text, loc);
    QVERIFY2(back && toSeconds(*back) == toSeconds(v),
             qPrintable(loc.name() + QStringLiteral(": \"") + text + u'"'));
}

}  // namespace

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void noTwoDigitYearOrZone()
    {
        const double v = toDateValue(2006, 6, 4, 18, 30, 45);
        const QString zone = QDateTime(QDate(2006, 6, 4), QTime(18, 30, 45)).timeZoneAbbreviation();
        for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "zh_CN", "fa_IR",
                                 "ko_KR", "hu_HU", "fi_FI"}) {
            const QLocale locale{QString::fromLatin1(name)};
            const QString text = generalDate(v, locale);
            QVERIFY2(text.contains(locale.toString(2006).remove(locale.groupSeparator())),
                     qPrintable(text));
            QVERIFY2(zone.isEmpty() || !text.contains(zone), qPrintable(text));
            QVERIFY2(!text.contains(QStringLiteral("()")) && text == text.trimmed(),
                     qPrintable(text));
        }
    }

    // Texts the program writes ("shown") and reads; a rejected text reads as nothing.
    // US English rows hold for the C locale too.
    void text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("shown");
        const double day = 38872.0;
        QTest::newRow("evening") << "6/4/2006 6:00:00 PM" << kUs << kSixPm << true;
        QTest::newRow("midnight has no time") << "8/24/2005" << kUs << 38588.0 << true;
        QTest::newRow("12:00:01 AM") << "6/4/2006 12:00:01 AM" << kUs << day + kSecond << true;
        QTest::newRow("noon") << "6/4/2006 12:00:00 PM" << kUs << day + 0.5 << true;
        QTest::newRow("four-digit 1929") << "1/1/1929" << kUs << toDateValue(1929, 1, 1) << true;
        QTest::newRow("last second")
            << "12/31/9999 11:59:59 PM" << kUs << 2958465.0 + 86399 * kSecond << true;
        QTest::newRow("de") << "04.06.2006 18:00:00" << kDe << kSixPm << true;
        QTest::newRow("de midnight") << "24.08.2005" << kDe << 38588.0 << true;

        QTest::newRow("PM glued") << "6/4/2006 6:00:00PM" << kUs << kSixPm << false;
        QTest::newRow("24-hour") << "6/4/2006 18:00:00" << kUs << kSixPm << false;
        QTest::newRow("lower case pm") << "6/4/2006 6:00:00 pm" << kUs << kSixPm << false;
        QTest::newRow("extra blanks")
            << "  6 / 4 / 2006   6 : 00 : 00   PM  " << kUs << kSixPm << false;
        QTest::newRow("no seconds") << "6/4/2006 6:00 PM" << kUs << kSixPm << false;
        QTest::newRow("hour and suffix") << "6/4/2006 6 PM" << kUs << kSixPm << false;
        QTest::newRow("dashes") << "6-4-2006 6:00:00 PM" << kUs << kSixPm << false;
        QTest::newRow("12 AM is midnight") << "6/4/2006 12:00:00 AM" << kUs << day << false;
        QTest::newRow("short year 29") << "6/4/29" << kUs << toDateValue(2029, 6, 4) << false;
        QTest::newRow("short year 30") << "6/4/30" << kUs << toDateValue(1930, 6, 4) << false;
        QTest::newRow("leap day") << "2/29/2000" << kUs << toDateValue(2000, 2, 29) << false;
        // Day first: this is 6 April.
        QTest::newRow("de day first") << "06.04.2006" << kDe << toDateValue(2006, 4, 6) << false;

        const char* const rejected[] = {
            "", "tomorrow", "6/4/2006 13:00:00PM", "6/4/2006 0:00:00 AM", "6/4/2006 24:00:00",
            "6/4/2006 6:75:00PM", "6/4/2006 x:00:00PM", "6/4/2006 6:", "6/4/2006 6",
            "6/4/2006 6:00:00 PM x", "2/29/2006", "13/4/2006", "6/4/20060"};
        for (const char* text : rejected)
            QTest::addRow("rejected \"%s\"", text) << text << kUs << kRejected << false;
        QTest::newRow("de rejects month 31") << "12/31/2006" << kDe << kRejected << false;
        QTest::newRow("de rejects 24 hours") << "04.06.2006 24:00:00" << kDe << kRejected << false;
    }
    void text()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(bool, shown);
        QList<QLocale> locales{locale};
        if (locale == kUs)
            locales << QLocale::c();
        for (const QLocale& loc : locales) {
            if (shown)
                QCOMPARE(generalDate(value, loc), text);
            const std::optional<double> v = readDateTime(text, loc);
            QVERIFY2(v.has_value() != std::isnan(value), qPrintable(loc.name()));
            if (v)
                QCOMPARE(toSeconds(*v), toSeconds(value));
        }
    }

    void roundTripEverySecondUs()
    {
        for (int s = 0; s < 86400 && !QTest::currentTestFailed(); ++s)
            checkRoundTrip(toDateValue(2006, 6, 4, s / 3600, s / 60 % 60, s % 60), kUs);
    }

    // Seconds spread over a day, and days spread over the supported years.
    void roundTripSampled_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("de_DE") << kDe;
    }
    void roundTripSampled()
    {
        QFETCH(QLocale, locale);
        for (int s = 0; s < 86400 && !QTest::currentTestFailed(); s += 37)
            checkRoundTrip(38872.0 + s * kSecond, locale);
        for (double day = -657434; day <= 2958465 && !QTest::currentTestFailed(); day += 997)
            checkRoundTrip(day + 0.6875, locale);
    }

    void everyLocaleReadsItsOwnText()
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
};

QTEST_GUILESS_MAIN(TestDateText)
#include "test_datetext.moc"

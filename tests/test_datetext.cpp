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
        // Every locale: its own short date with ASCII digits, the time with ":" and,
        // on a 12-hour clock, the locale's designator.
        QTest::newRow("da") << "04.06.2006 18:00:00" << QLocale("da_DK") << kSixPm << true;
        QTest::newRow("hu blanks in the date")
            << "2006. 06. 04. 18:00:00" << QLocale("hu_HU") << kSixPm << true;
        QTest::newRow("en_CA") << "2006-06-04 6:00:00 p.m." << QLocale("en_CA") << kSixPm << true;
        QTest::newRow("ar_EG") << "4/6/2006 6:00:00 \u0645" << QLocale("ar_EG")
                               << kSixPm << true;
        QTest::newRow("ko") << "2006. 6. 4. 9:05:00 \uC624\uC804" << QLocale("ko_KR")
                            << day + 0.375 + 300 * kSecond << true;
        QTest::newRow("ko designator glued")
            << "2006. 6. 4. 6:00:00\uC624\uD6C4" << QLocale("ko_KR") << kSixPm << false;
        QTest::newRow("ar_EG own digits")
            << "\u0664\u200F/\u0666\u200F/\u0662\u0660\u0660\u0666 18:00:00"
                                          << QLocale("ar_EG") << kSixPm << false;

        QTest::newRow("PM glued") << "6/4/2006 6:00:00PM" << kUs << kSixPm << false;
        QTest::newRow("24-hour") << "6/4/2006 18:00:00" << kUs << kSixPm << false;
        QTest::newRow("lower case pm") << "6/4/2006 6:00:00 pm" << kUs << kSixPm << false;
        QTest::newRow("extra blanks")
            << "  6 / 4 / 2006   6 : 00 : 00   PM  " << kUs << kSixPm << false;
        QTest::newRow("no seconds") << "6/4/2006 6:00 PM" << kUs << kSixPm << false;
        QTest::newRow("hour and suffix") << "6/4/2006 6 PM" << kUs << kSixPm << false;
        QTest::newRow("dashes") << "6-4-2006 6:00:00 PM" << kUs << kSixPm << false;
        QTest::newRow("12 AM is midnight") << "6/4/2006 12:00:00 AM" << kUs << day << false;
        // A suffix that agrees with a 24-hour hour changes nothing.
        QTest::newRow("13 PM") << "6/4/2006 13:00:00PM" << kUs << day + 13 / 24.0 << false;
        QTest::newRow("0 AM") << "6/4/2006 0:00:00 AM" << kUs << day << false;
        QTest::newRow("de 19 PM") << "04.06.2006 19:00:00PM" << kDe << day + 19 / 24.0 << false;
        QTest::newRow("short year 29") << "6/4/29" << kUs << toDateValue(2029, 6, 4) << false;
        QTest::newRow("short year 30") << "6/4/30" << kUs << toDateValue(1930, 6, 4) << false;
        QTest::newRow("leap day") << "2/29/2000" << kUs << toDateValue(2000, 2, 29) << false;
        // Day first: this is 6 April.
        QTest::newRow("de day first") << "06.04.2006" << kDe << toDateValue(2006, 4, 6) << false;

        const char* const rejected[] = {
            "", "tomorrow", "6/4/2006 13:00:00AM", "6/4/2006 0:00:00 PM", "6/4/2006 24:00:00",
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

    void everyLocaleWritesOneFormAndReadsItBack()
    {
        // Whatever the user's locale, a date the program shows must read back, and its
        // time has the one form the options dialog takes apart.
        const QList<double> moments = {toDateValue(2006, 6, 4, 18, 30, 14),
                                       toDateValue(2006, 6, 4, 7, 5, 9), 38588.0,
                                       toDateValue(150, 1, 31, 12, 0, 1)};
        const QString zone = QDateTime(QDate(2006, 6, 4), QTime(18, 30, 45)).timeZoneAbbreviation();
        const QRegularExpression time(QStringLiteral("^([1-9]|1[0-9]|2[0-3]):30:14(?: (.+))?$"));
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        QVERIFY(locales.size() > 600);
        for (const QLocale& loc : locales) {
            const QString date = shortDate(moments[0], loc);
            const QString text = generalDate(moments[0], loc);
            const auto m = time.match(text.mid(date.size() + 1));
            const QString hour = hasTwelveHourClock(loc) ? QStringLiteral("6") : QStringLiteral("18");
            const QString half = hasTwelveHourClock(loc) ? halfDayNames(loc).at(1) : QString();
            QVERIFY2(text.startsWith(date + u' ') && m.hasMatch() && m.captured(1) == hour
                         && m.captured(2) == half && date.contains(QStringLiteral("2006"))
                         && (zone.isEmpty() || !text.contains(zone)),
                     qPrintable(loc.name() + QStringLiteral(": \"") + text + u'"'));
            for (QChar c : date) {
                QVERIFY2((!c.isDigit() || c.unicode() < 0x80) && c.category() != QChar::Other_Format,
                         qPrintable(loc.name()));
            }
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

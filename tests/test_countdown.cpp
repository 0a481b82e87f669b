// The countdown without a window: the line and the percentage from the schedule and a clock
// reading, to the exact value (the gesture's count is the main window's test).
#include "app/countdown.h"
#include "support/rows.h"
#include "ui/datevalue.h"
#include "ui/numbers.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

struct Moment {
    const char* name;
    const char* at; // the clock reading, ISO 8601
    const char* line; // empty: nothing left, the hand-over
    const char* percent;
    bool lastMinute = false;
};

struct Skip {
    const char* name;
    double before, after; // whole seconds to the ceremony at two ticks
    bool skipped;
};

// The built-in schedule: 24 August 2005 to 4 June 2006 18:00, 285 days.
// clang-format off
const Moment kMoments[] = {
    {.name = "worked example", .at = "2006-03-15T09:30:15",
     .line = "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!", .percent = "71.36702"},
    {.name = "exactly a week", .at = "2006-05-28T18:00:00",
     .line = "1 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds!", .percent = "97.45614"},
    {.name = "three days", .at = "2006-06-01T18:00:00",
     .line = "3 Days, 0 Hours, 0 Minutes, 0 Seconds!", .percent = "98.85965"},
    {.name = "two minutes", .at = "2006-06-04T17:58:01", .line = "1 Minutes, 59 Seconds!",
     .percent = "99.9118"},
    {.name = "last second", .at = "2006-06-04T17:59:59", .line = "1 Seconds!",
     .percent = "99.91228", .lastMinute = true},
    {.name = "the ceremony", .at = "2006-06-04T18:00:00", .line = "", .percent = "99.91228"},
    {.name = "a second past", .at = "2006-06-04T18:00:01",
     .line = "23 Hours, 59 Minutes, 59 Seconds!", .percent = "99.91228"},
    {.name = "a day past", .at = "2006-06-05T18:00:00", .line = "", .percent = "100.26316"},
};

const Skip kSkips[] = {
    {.name = "over the ceremony", .before = 1, .after = -1, .skipped = true},
    {.name = "over its time a day later", .before = -86399, .after = -86401, .skipped = true},
    {.name = "over a second still to come", .before = 3, .after = 1, .skipped = false},
    {.name = "over a second past it", .before = 0, .after = -2, .skipped = false},
    {.name = "three seconds at once", .before = 2, .after = -1, .skipped = false},
};

// clang-format on

} // namespace

class CountdownTest : public QObject {
    Q_OBJECT
private slots:
    void moments_data() { rows::add(kMoments); }
    void moments()
    {
        const Moment& m = rows::fetch(kMoments);
        const countdown::Schedule s = countdown::builtInSchedule();
        const double now = ui::toDateValue(QDateTime::fromString(m.at, Qt::ISODate));
        const countdown::TimeLeft left = countdown::timeLeft(s, now);
        QCOMPARE(countdown::displayLine(left), QString(m.line));
        QCOMPARE(left.somethingLeft(), *m.line != 0);
        QCOMPARE(left.lastMinute(), m.lastMinute);
        QCOMPARE(ui::numberToText(countdown::PercentDone(s, now)), QString(m.percent));
    }

    void skippedZero_data() { rows::add(kSkips); }
    void skippedZero()
    {
        const Skip& r = rows::fetch(kSkips);
        QCOMPARE(countdown::skippedTheZeroSecond(r.before, r.after), r.skipped);
    }

    // Minute by minute from early August, then every second of the ceremony day: five shapes
    // of line, longest first, every word plural, every number unsigned and the first not
    // zero; less left at each step; the percentage rising below 100; the last minute from
    // 59 seconds left; nothing left exactly at the ceremony.
    void everyStepOfTheYearIsSound()
    {
        static const QRegularExpression shape(QStringLiteral(
            "^(?:(?:(?:(?:(\\d+) Weeks, )?(\\d+) Days, )?(\\d+) Hours, )?(\\d+) Minutes, )?"
            "(\\d+) Seconds!$"));
        const countdown::Schedule s = countdown::builtInSchedule();
        const double start = ui::toDateValue(2005, 8, 1);
        const qint64 minutes = qint64(ui::toDateValue(2006, 6, 4) - start) * 1440;
        const qint64 unit[] = {0, 7 * 86400, 86400, 3600, 60, 1};
        qint64 lastLeft = std::numeric_limits<qint64>::max(), step = 0;
        double lastPercent = -1e9, now = start;
        for (countdown::TimeLeft t; (t = countdown::timeLeft(s, now)).somethingLeft(); ++step) {
            const QString line = countdown::displayLine(t);
            const auto m = shape.match(line);
            QVERIFY2(m.hasMatch() && !line.startsWith('0'), qPrintable(line));
            qint64 left = 0;
            for (int i = 1; i <= 5; ++i)
                left += m.captured(i).toLongLong() * unit[i];
            const double percent = countdown::PercentDone(s, now);
            QVERIFY2(left < lastLeft && percent >= lastPercent && percent < 100, qPrintable(line));
            QCOMPARE(t.lastMinute(), left < 60);
            lastLeft = left, lastPercent = percent;
            const qint64 sec
                = step < minutes ? (step + 1) * 60 : minutes * 60 + (step + 1 - minutes);
            now = start + double(sec) / 86400;
        }
        QCOMPARE(qRound64((now - s.GradDate) * 86400), qint64(0));
        QVERIFY(lastLeft == 1 && step > 300 * 1440);
    }
};

QTEST_GUILESS_MAIN(CountdownTest)
#include "test_countdown.moc"

// The countdown without a window: the line and the percentage from the schedule and a clock
// reading, to the exact value (the gesture's count is the main window's test).
#include "app/countdown.h"
#include "support/rows.h"
#include "ui/datevalue.h"
#include "ui/numbers.h"

#include <QDateTime>
#include <QRegularExpression>

class CountdownTest : public QObject {
    Q_OBJECT
private slots:
    // The built-in schedule: 24 August 2005 to 4 June 2006 18:00, 285 days. A clock reading
    // (ISO 8601), the line (empty: nothing left, the hand-over), the percentage.
    void moments_data()
    {
        table<QString, QString, QString>({"at", "line", "percent"},
            {{"exactly a week", "2006-05-28T18:00:00",
                 "1 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds!", "97.45614"},
                {"three days", "2006-06-01T18:00:00", "3 Days, 0 Hours, 0 Minutes, 0 Seconds!",
                    "98.85965"},
                {"two minutes", "2006-06-04T17:58:01", "1 Minutes, 59 Seconds!", "99.9118"},
                {"last second", "2006-06-04T17:59:59", "1 Seconds!", "99.91228"},
                {"the ceremony", "2006-06-04T18:00:00", "", "99.91228"},
                {"a second past", "2006-06-04T18:00:01", "23 Hours, 59 Minutes, 59 Seconds!",
                    "99.91228"},
                {"a day past", "2006-06-05T18:00:00", "", "100.26316"}});
    }
    void moments()
    {
        const countdown::Schedule s = countdown::builtInSchedule();
        const double now = ui::toDateValue(QDateTime::fromString(cell<QString>("at"), Qt::ISODate));
        const countdown::TimeLeft left = countdown::timeLeft(s, now);
        QTEST(countdown::displayLine(left), "line");
        const QString line = cell<QString>("line");
        QCOMPARE(left.somethingLeft(), !line.isEmpty());
        QCOMPARE(left.lastMinute(), !line.isEmpty() && !line.contains("Minutes"));
        QTEST(ui::numberToText(countdown::PercentDone(s, now)), "percent");
    }

    // Whole seconds to the ceremony at two ticks.
    void skippedZero_data()
    {
        table<double, double, bool>({"before", "after", "skipped"},
            {{"over the ceremony", 1, -1, true},
                {"over its time a day later", -86399, -86401, true},
                {"over a second still to come", 3, 1, false},
                {"over a second past it", 0, -2, false}, {"three seconds at once", 2, -1, false}});
    }
    void skippedZero()
    {
        QTEST(countdown::skippedTheZeroSecond(cell<double>("before"), cell<double>("after")),
            "skipped");
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

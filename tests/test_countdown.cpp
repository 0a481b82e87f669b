// The countdown without a window: the line and the percentage from the schedule and a clock
// reading, to the exact value. (What the main window makes of them is its own test's.)
#include "app/countdown.h"
#include "support/rows.h"
#include "ui/datevalue.h"
#include "ui/numbers.h"

#include <QDateTime>

class CountdownTest : public QObject {
    Q_OBJECT
private slots:
    // The built-in schedule (24 August 2005 to 4 June 2006 18:00, 285 days) with the
    // percentage's decimals, at a clock reading: the line (empty: nothing left), the percentage.
    void moments_data()
    {
        table<QString, int, QString, QString>({"at", "decimals", "line", "percent"},
            {{"worked example", "2006-03-15T09:30:15", 5,
                 "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!", "71.36702"},
                {"no decimals", "2006-03-15T09:30:15", 0,
                    "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!", "71"},
                {"twelve decimals", "2006-03-15T09:30:15", 12,
                    "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!", "71.367019980507"},
                {"before the school year", "2005-08-01T00:00:00", 5,
                    "43 Weeks, 6 Days, 18 Hours, 0 Minutes, 0 Seconds!", "-8.07018"},
                {"exactly a week", "2006-05-28T18:00:00", 5,
                    "1 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds!", "97.45614"},
                {"three days", "2006-06-01T18:00:00", 5, "3 Days, 0 Hours, 0 Minutes, 0 Seconds!",
                    "98.85965"},
                {"two minutes", "2006-06-04T17:58:01", 5, "1 Minutes, 59 Seconds!", "99.9118"},
                {"last second", "2006-06-04T17:59:59", 5, "1 Seconds!", "99.91228"},
                {"the ceremony", "2006-06-04T18:00:00", 5, "", "99.91228"},
                {"a second past", "2006-06-04T18:00:01", 5, "23 Hours, 59 Minutes, 59 Seconds!",
                    "99.91228"},
                {"a day past", "2006-06-05T18:00:00", 5, "", "100.26316"}});
    }
    void moments()
    {
        countdown::Schedule s = countdown::builtInSchedule();
        s.intPercentDigits = qint16(cell<int>("decimals"));
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
                {"over its time a day before", 86401, 86399, false},
                {"over a second past it", 0, -2, false}, {"three seconds at once", 2, -1, false}});
    }
    void skippedZero()
    {
        QTEST(countdown::skippedTheZeroSecond(cell<double>("before"), cell<double>("after")),
            "skipped");
    }
};

QTEST_GUILESS_MAIN(CountdownTest)
#include "test_countdown.moc"

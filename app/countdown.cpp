#include "app/countdown.h"

#include "ui/datevalue.h"
#include "ui/numbers.h"

namespace countdown {

using ui::Int;
using ui::Mod;
using ui::Round;

Schedule builtInSchedule()
{
    Schedule s;
    s.SchoolStart = ui::toDateValue(2005, 8, 24);
    s.GradDate = ui::toDateValue(2006, 6, 4, 18);
    s.TotalDays = Round(s.GradDate - s.SchoolStart, 0);
    return s;
}

bool TimeLeft::somethingLeft() const
{
    return WeeksLeft > 0 || DaysLeft > 0 || HoursLeft > 0 || MinutesLeft > 0 || SecondsLeft > 0;
}

TimeLeft timeLeft(const Schedule& s, double NowDate)
{
    TimeLeft t;
    // Both moments are whole seconds, but their difference as days carries rounding error:
    // a day later could come out a hair over a day and read "24 Hours" instead of zero.
    t.TimeLeft = Round((s.GradDate - NowDate) * 86400, 0) / 86400;
    t.DaysLeft = Int(t.TimeLeft);
    t.WeeksLeft = Int(t.DaysLeft / 7);
    t.DaysLeft = Mod(t.DaysLeft, 7);
    t.DayFraction = t.TimeLeft - Int(t.TimeLeft);
    t.SecondsLeft = Round(t.DayFraction * 86400, 0);
    t.MinutesLeft = Int(t.SecondsLeft / 60);
    t.SecondsLeft = Mod(t.SecondsLeft, 60);
    t.HoursLeft = Int(t.MinutesLeft / 60);
    t.MinutesLeft = Mod(t.MinutesLeft, 60);
    return t;
}

QString displayLine(const TimeLeft& t)
{
    // From the largest unit shown down, zeros inside the line kept, words always plural. The
    // parts are whole numbers, written without a separator in every locale.
    const struct {
        double value;
        const char* word;
    } parts[] = {{t.WeeksLeft, " Weeks, "}, {t.DaysLeft, " Days, "}, {t.HoursLeft, " Hours, "},
        {t.MinutesLeft, " Minutes, "}, {t.SecondsLeft, " Seconds!"}};
    QString line;
    for (const auto& part : parts)
        if (!line.isEmpty() || part.value > 0)
            line += QString::number(qint64(part.value)) + QLatin1String(part.word);
    return line;
}

double PercentDone(const Schedule& s, double NowDate)
{
    const double DaysElapsed = NowDate - s.SchoolStart;
    return Round(DaysElapsed / s.TotalDays * 100, s.intPercentDigits);
}

bool skippedTheZeroSecond(double previousSecondsLeft, double secondsLeft)
{
    return previousSecondsLeft - secondsLeft == 2 && secondsLeft + 1 <= 0
        && Mod(secondsLeft + 1, 86400) == 0;
}

bool Gesture::doubleClick()
{
    if (intSetStage == 2) {
        intSetStage = 0;
        return true;
    }
    ++intSetStage;
    intSetTicks = 0;
    return false;
}

bool Gesture::CheckSetTimeout()
{
    if (intSetTicks < intSetTimeout) {
        ++intSetTicks;
        return false;
    }
    intSetTicks = 0;
    intSetStage = 0;
    return true;
}

} // namespace countdown

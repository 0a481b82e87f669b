#pragma once
#include <QString>
#include <QtGlobal>

// The countdown without a window: the schedule as a value, and what one tick makes of it and
// of a clock reading. The main window owns a Schedule and renders what these return.
namespace countdown {

struct Schedule {
    double GradDate = 0.0; // the ceremony moment, a Date value
    qint16 intPercentDigits = 5; // decimals of the school-year percentage
    double SchoolStart = 0.0; // the percentage counts from here
    double TotalDays = 0.0; // the school year's length in whole days, fixed at start
};

// The built-in schedule: 24 August 2005 to 4 June 2006, 6:00 PM, five decimals, 285 days.
Schedule builtInSchedule();

// The time left at one clock reading, split as the display line shows it.
struct TimeLeft {
    double TimeLeft = 0.0; // days, to the whole second; negative past the ceremony
    double WeeksLeft = 0.0, DaysLeft = 0.0, DayFraction = 0.0;
    double HoursLeft = 0.0, MinutesLeft = 0.0, SecondsLeft = 0.0;

    bool somethingLeft() const;
    // Under a minute left: the line is set large and bold.
    bool lastMinute() const
    {
        return somethingLeft() && MinutesLeft <= 0 && HoursLeft <= 0 && DaysLeft <= 0
            && WeeksLeft <= 0;
    }
};

TimeLeft timeLeft(const Schedule& s, double NowDate);

// "11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!" down to "1 Seconds!"; empty when
// nothing is left.
QString displayLine(const TimeLeft& t);

// The school year passed, in percent, rounded to the schedule's decimals.
double PercentDone(const Schedule& s, double NowDate);

// Whether a tick that came late stepped over a second of nothing left: from
// `previousSecondsLeft` to `secondsLeft` (whole seconds to the ceremony) two seconds passed
// and the one between was the ceremony or its time of day recurring.
bool skippedTheZeroSecond(double previousSecondsLeft, double secondsLeft);

// The hidden gesture: three double-clicks, each within the timeout's ticks of the last.
struct Gesture {
    qint16 intSetStage = 0;
    qint16 intSetTicks = 0;
    qint16 intSetTimeout = 2;

    // A double-click; true on the third, which asks for the options.
    bool doubleClick();
    // A tick; true when it ends the gesture (the stage falls back to 0).
    bool CheckSetTimeout();
};

} // namespace countdown

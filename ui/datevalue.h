#pragma once

#include <QDateTime>

#include <optional>

// Date values: a double counting days since
// midnight at the start of 30 December 1899, the fraction being the time of
// day. Local wall-clock time, no time zone. Before that day the whole part
// counts days backwards while the fraction still runs forward in time, so
// -1.25 is 29 December 1899 06:00.
namespace ui {

struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// A valid date of the proleptic Gregorian calendar and a time within its day, whole seconds.
double toDateValue(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);

// Rounds to the nearest whole second, so values that picked up float error
// from arithmetic still land on the intended second. Only years 100..9999
// can be written: any other value, NaN and infinities give nullopt.
std::optional<CivilTime> fromDateValue(double v);

// The wall-clock reading of a local time (the clock's, or a test's moment); the
// running second's fraction is dropped.
double toDateValue(const QDateTime& local);

} // namespace ui

#include "ui/datevalue.h"

#include <cmath>

namespace ui {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

// Day zero as a Julian day; QDate counts days in the proleptic Gregorian calendar.
const qint64 kDayZero = QDate(1899, 12, 30).toJulianDay();

} // namespace

double toDateValue(int y, int mo, int d, int h, int mi, int s)
{
    // Before day zero the whole part counts days back while the fraction runs forward.
    const double day = double(QDate(y, mo, d).toJulianDay() - kDayZero);
    const double fraction = double(h * 3600 + mi * 60 + s) / kSecondsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

std::optional<CivilTime> fromDateValue(double v)
{
    // Far outside the writable years: refused before the day count could overflow.
    if (!std::isfinite(v) || std::fabs(v) > 4e6)
        return std::nullopt;
    const double whole = std::trunc(v);
    const qint64 seconds = std::llround(std::fabs(v - whole) * kSecondsPerDay);
    // A time rounded up to midnight belongs to the next day.
    const QDate date = QDate::fromJulianDay(kDayZero + qint64(whole) + seconds / kSecondsPerDay);
    if (date.year() < 100 || date.year() > 9999) // the years a date can be written in
        return std::nullopt;
    return CivilTime {date.year(), date.month(), date.day(), int(seconds / 3600 % 24),
        int(seconds / 60 % 60), int(seconds % 60)};
}

double toDateValue(const QDateTime& local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    return toDateValue(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

} // namespace ui

#include "ui/datevalue.h"

#include <cmath>

namespace ui {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant's
// algorithm; valid for every year we accept, negative ones included).
qint64 daysFromCivil(qint64 y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 z, int& y, int& m, int& d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

const qint64 kEpochDays = daysFromCivil(1899, 12, 30);

} // namespace

double toDateValue(int y, int mo, int d, int h, int mi, int s)
{
    const qint64 total = (daysFromCivil(y, mo, d) - kEpochDays) * kSecondsPerDay + qint64(h) * 3600
        + qint64(mi) * 60 + s;
    // Split into a civil day and the seconds into it, both counted forward.
    qint64 day = total / kSecondsPerDay;
    qint64 rest = total % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --day;
    }
    const double fraction = double(rest) / kSecondsPerDay;
    return day >= 0 ? double(day) + fraction : double(day) - fraction;
}

std::optional<CivilTime> fromDateValue(double v)
{
    // Far outside the writable years: refused before the day count could overflow.
    if (!std::isfinite(v) || std::fabs(v) > 4e6)
        return std::nullopt;
    const double whole = std::trunc(v);
    const double fraction = std::fabs(v - whole);
    qint64 day = qint64(whole);
    qint64 seconds = std::llround(fraction * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) { // rounded up into the next day
        seconds -= kSecondsPerDay;
        ++day;
    }
    CivilTime t;
    civilFromDays(day + kEpochDays, t.year, t.month, t.day);
    if (t.year < kFirstYear || t.year > kLastYear)
        return std::nullopt;
    t.hour = int(seconds / 3600);
    t.minute = int(seconds / 60 % 60);
    t.second = int(seconds % 60);
    return t;
}

double toDateValue(const QDateTime& local)
{
    if (!local.isValid())
        return 0.0;
    const QDateTime wall = local.toLocalTime();
    const QDate date = wall.date();
    const QTime time = wall.time();
    return toDateValue(
        date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

} // namespace ui

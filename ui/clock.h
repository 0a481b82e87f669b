#pragma once
#include "ui/datevalue.h"

#include <QDateTime>

namespace ui {

// One look at the clock: the moment in whole seconds, and how far the running second has
// to go. Both come from the same reading, so a refresh that shows `date` and plans its next
// run by `msToNextSecond` cannot fall on either side of a turning second.
struct ClockReading {
    double date = 0.0; // Date value (days since 30 December 1899), whole seconds
    int msToNextSecond = 1000; // 1 to 1000
};

// The current local date and time. Tests set the moment through their own clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading read() const = 0;
    double now() const { return read().date; }
};

class SystemClock final : public Clock {
public:
    ClockReading read() const override
    {
        // Local time differs from UTC by whole minutes, so its seconds turn with UTC's.
        const QDateTime local = QDateTime::currentDateTime();
        return {toDateValue(local), 1000 - local.time().msec()};
    }
};

} // namespace ui

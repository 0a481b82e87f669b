#include "ui/clock.h"

#include "ui/datevalue.h"

#include <QDateTime>

namespace ui {

ClockReading SystemClock::read() const
{
    // Local time differs from UTC by whole minutes, so its seconds turn with UTC's.
    const QDateTime local = QDateTime::currentDateTime();
    return {toDateValue(local), 1000 - local.time().msec()};
}

} // namespace ui

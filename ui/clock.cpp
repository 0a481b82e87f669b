#include "ui/clock.h"

#include "ui/datevalue.h"

#include <QDateTime>

namespace ui {

double SystemClock::now() const { return toDateValue(QDateTime::currentDateTime()); }

int SystemClock::msToNextSecond() const
{
    // Local time differs from UTC by whole minutes, so its seconds turn with UTC's.
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    return int(1000 - ((ms % 1000) + 1000) % 1000);
}

} // namespace ui

#include "ui/clock.h"

#include "ui/datevalue.h"

#include <QDateTime>

namespace ui {

double SystemClock::now() const
{
    return toDateValue(QDateTime::currentDateTime());
}

} // namespace ui

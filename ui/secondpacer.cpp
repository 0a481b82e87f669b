#include "ui/secondpacer.h"

#include <QTimer>

namespace ui {

void SecondPacer::attach(QTimer* timer)
{
    m_timer = timer;
    m_timer->setSingleShot(true);
    m_lastShown.reset();
}

void SecondPacer::planNext(const ClockReading& now)
{
    if (m_timer)
        m_timer->start(now.msToNextSecond + kMarginMs);
}

} // namespace ui

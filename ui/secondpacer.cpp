#include "ui/secondpacer.h"

#include <QTimer>

namespace ui {

void SecondPacer::attach(QTimer* timer)
{
    m_timer = timer;
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setSingleShot(true);
    m_haveShown = false;
}

void SecondPacer::planNext(const ClockReading& now)
{
    if (m_timer)
        m_timer->start(now.msToNextSecond + kMarginMs);
}

} // namespace ui

#include "ui/secondtimer.h"

#include "ui/clock.h"

#include <QTimer>

namespace ui {

void SecondPacer::attach(QTimer* timer)
{
    m_timer = timer;
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setSingleShot(true);
}

void SecondPacer::planNext()
{
    if (m_timer)
        m_timer->start(m_clock.msToNextSecond() + kMarginMs);
}

} // namespace ui

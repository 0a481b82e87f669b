#pragma once

#include "ui/clock.h"

#include <QTimer>

#include <optional>

namespace ui {

// Drives a refresh timer so that each run comes right after a whole second of the clock
// begins: the next run is planned from the clock every time, so the shown seconds turn
// with the system clock's, none is shown twice or skipped, and a clock that is stepped
// (set by hand, synchronised, resumed from suspend) is followed at the next run. A run
// shows and plans from one and the same clock reading: two readings could fall on either
// side of a turning second, and the second between them would never be shown.
class SecondPacer {
public:
    // Past the turn of the second, so that a timer which keeps time a hair differently
    // from the wall clock still lands in the new second.
    static constexpr int kMarginMs = 2;

    // Takes over `timer` (made precise by its layout row) as a single shot, a new window's:
    // nothing shown yet. It stops with its window.
    void attach(QTimer* timer)
    {
        m_timer = timer;
        m_timer->setSingleShot(true);
        m_lastShown.reset();
    }
    // Starts the timer for just after the second of `now` ends.
    void planNext(const ClockReading& now)
    {
        if (m_timer)
            m_timer->start(now.msToNextSecond + kMarginMs);
    }
    // A run that reads (`now`) the second it last showed came early: it plans again
    // instead of showing that second twice.
    bool due(double now) const { return m_lastShown != now; }
    // The clock reading the refresh has just shown.
    void shown(double second) { m_lastShown = second; }

private:
    QTimer* m_timer = nullptr;
    std::optional<double> m_lastShown;
};

} // namespace ui

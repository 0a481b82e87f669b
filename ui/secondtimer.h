#pragma once

class QTimer;

namespace ui {

class Clock;

// Drives a refresh timer so that each run comes right after a whole second of the clock
// begins: the next run is planned from the clock every time, so the shown seconds turn
// with the system clock's, none is shown twice or skipped, and a clock that is stepped
// (set by hand, synchronised, resumed from suspend) is followed at the next run.
class SecondPacer {
public:
    // Past the turn of the second, so that a timer which keeps time a hair differently
    // from the wall clock still lands in the new second.
    static constexpr int kMarginMs = 2;

    explicit SecondPacer(const Clock& clock) : m_clock(clock) { }

    // Takes over `timer` (single shot, precise); it stops with its window.
    void attach(QTimer* timer);
    // Starts the timer for just after the next whole second.
    void planNext();
    // A run that reads (`now`) the second it last showed came early: it plans again
    // instead of showing that second twice.
    bool due(double now) const { return !m_haveShown || now != m_lastShown; }
    // The clock reading the refresh has just shown.
    void shown(double second)
    {
        m_lastShown = second;
        m_haveShown = true;
    }

private:
    const Clock& m_clock;
    QTimer* m_timer = nullptr;
    double m_lastShown = 0.0;
    bool m_haveShown = false;
};

} // namespace ui

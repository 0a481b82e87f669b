#pragma once

namespace ui {

// The current local date and time as a Date value (days since 30 December 1899),
// in whole seconds. Tests set the moment through their own clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    // Milliseconds until the next whole second begins, 1 to 1000: what a refresh needs to
    // plan its next run right after the second turns.
    virtual int msToNextSecond() const = 0;
};

class SystemClock final : public Clock {
public:
    double now() const override;
    int msToNextSecond() const override;
};

} // namespace ui

#pragma once
// The current time as the environment functions see it. Tests replace it to get fixed dates into
// log file names and stamps.
#include <functional>

#include "toolkit/rtl/DateTime.h"

using ClockFunction = std::function<TDateTime()>;

// The replaced clock's time, or the system's.
TDateTime ClockNow();
// Replaces the clock (an empty function restores the system's); returns the previous one.
ClockFunction SetClock(ClockFunction now);

// Replaces the clock for a scope.
class ScopedClock {
public:
    explicit ScopedClock(ClockFunction now) : previous_(SetClock(std::move(now))) {}
    explicit ScopedClock(TDateTime fixed) : ScopedClock([fixed] { return fixed; }) {}
    ~ScopedClock() { SetClock(std::move(previous_)); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    ClockFunction previous_;
};

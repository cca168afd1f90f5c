#include "env/Clock.h"

#include <utility>

namespace {
ClockFunction& CurrentClock() {
    static ClockFunction clock;
    return clock;
}
}  // namespace

TDateTime ClockNow() {
    const ClockFunction& clock = CurrentClock();
    return clock ? clock() : Now();
}

ClockFunction SetClock(ClockFunction now) { return std::exchange(CurrentClock(), std::move(now)); }

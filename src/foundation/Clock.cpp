#include "foundation/Clock.h"

namespace {
std::shared_ptr<Clock>& CurrentClock() {
    static std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    return clock;
}
} // namespace

const Clock& Clock::Instance() {
    return *CurrentClock();
}

void Clock::SetInstance(std::shared_ptr<Clock> clock) {
    CurrentClock() = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

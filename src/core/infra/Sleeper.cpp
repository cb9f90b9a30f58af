#include "core/infra/Sleeper.h"

#include <chrono>
#include <thread>
#include <utility>

namespace tovel {

namespace {

void RealSleep(int milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

SleepFunction& Current() {
    // Global: the pause of a copy retry, swapped by tests (ScopedSleeper) so that they do not wait.
    static SleepFunction current = RealSleep;
    return current;
}

} // namespace

void Sleep(int milliseconds) {
    Current()(milliseconds);
}

ScopedSleeper::ScopedSleeper(SleepFunction sleeper) : previous_(std::move(Current())) {
    Current() = std::move(sleeper);
}

ScopedSleeper::~ScopedSleeper() {
    Current() = std::move(previous_);
}

} // namespace tovel

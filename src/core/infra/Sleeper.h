#pragma once

// The program's blocking pause. It goes through a replaceable function so that tests can
// record pauses instead of waiting them out.

#include <functional>

namespace tovel {

using SleepFunction = std::function<void(int milliseconds)>;

// Blocks the calling thread for the given time, through the sleeper in force.
void Sleep(int milliseconds);

// Installs a sleeper for the lifetime of the guard and restores the previous one afterwards.
class ScopedSleeper {
public:
    explicit ScopedSleeper(SleepFunction sleeper);
    ~ScopedSleeper();
    ScopedSleeper(const ScopedSleeper&) = delete;
    ScopedSleeper& operator=(const ScopedSleeper&) = delete;

private:
    SleepFunction previous_;
};

} // namespace tovel

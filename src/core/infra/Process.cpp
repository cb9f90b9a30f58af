#include "core/infra/Process.h"

#include "core/infra/FileReplacement.h"

#include <atomic>
#include <csignal>
#include <ctime>
#include <unistd.h>

namespace tovel {

namespace {

// Global: signals are per process, so is the count of writes that hold them back.
std::atomic<int> holds{0};
std::atomic<int> heldSignal{0};

[[noreturn]] void EndBySignal(int signal) {
    RemoveRegisteredTemporaryFiles();
    ::_exit(128 + signal);
}

void OnTerminatingSignal(int signal) {
    if (holds.load() > 0) {
        heldSignal.store(signal);
        return;
    }
    EndBySignal(signal);
}

} // namespace

void RemoveTemporaryFilesOnTermination() {
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    action.sa_flags = SA_RESTART; // a signal held back must not fail the calls it interrupted
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

TerminationHold::TerminationHold() {
    holds.fetch_add(1);
}

TerminationHold::~TerminationHold() {
    if (holds.fetch_sub(1) == 1)
        if (const int signal = heldSignal.exchange(0); signal != 0)
            EndBySignal(signal);
}

void RemoveStaleTemporaryFilesOnStart(const std::string& programDir) {
    constexpr std::time_t kHour = 60 * 60;
    if (!programDir.empty())
        RemoveStaleTemporaryFiles(programDir, std::time(nullptr), kHour);
}

void IgnoreFileSizeLimitSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool DisplayAvailable(HostSystem host, const Environment& environment) {
    const auto set = [&](const char* name) {
        const char* value = environment(name);
        return value && *value;
    };
    if (host != HostSystem::Linux || set("QT_QPA_PLATFORM"))
        return true;
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace tovel

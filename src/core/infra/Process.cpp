#include "core/infra/Process.h"

#include <csignal>

namespace tovel {

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

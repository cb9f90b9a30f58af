#include "core/infra/Process.h"

#include <csignal>

namespace tovel {

void IgnoreFileSizeLimitSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace tovel

#include "core/infra/Random.h"

#include <chrono>

namespace tovel {

uint32_t RandomSource::ClockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks =
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    return static_cast<uint32_t>(ticks ^ (ticks >> 32));
}

int RandomSource::Random(int n) {
    if (n <= 0)
        return 0;
    // Lemire's multiply-and-reject: unbiased, and independent of the library's distributions.
    const auto bound = static_cast<uint32_t>(n);
    uint64_t product = static_cast<uint64_t>(engine_()) * bound;
    auto low = static_cast<uint32_t>(product);
    if (low < bound) {
        const uint32_t threshold = (0u - bound) % bound;
        while (low < threshold) {
            product = static_cast<uint64_t>(engine_()) * bound;
            low = static_cast<uint32_t>(product);
        }
    }
    return static_cast<int>(product >> 32);
}

} // namespace tovel

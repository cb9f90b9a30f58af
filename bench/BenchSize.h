#pragma once

// The printings of the benchmarks' world: TOVEL_BENCH_SIZE, default 100,000.

#include <cstdlib>
#include <string>

namespace tovel {

inline int BenchSize() {
    static const int size = [] {
        const char* given = std::getenv("TOVEL_BENCH_SIZE");
        const int n = given ? std::atoi(given) : 0;
        return n > 0 ? n : 100000;
    }();
    return size;
}

} // namespace tovel

#pragma once

// The one random source of the program: pack drawing, the drafters' choices and sample hands.
//
// A Mersenne twister with its own bounded draw, so the same seed gives the same draft on every
// standard library. The draft and the sealed generator seed it from the clock when they start;
// tests and tovel-cli seed it with a fixed number instead.

#include <cstdint>
#include <optional>
#include <random>

namespace tovel {

class RandomSource {
public:
    RandomSource() { SeedFromClock(); }
    explicit RandomSource(uint32_t seed) { Seed(seed); }

    void Seed(uint32_t seed) { engine_.seed(seed); }
    void SeedFromClock() { Seed(ClockSeed()); }
    // A seed taken from the clock, for a run that must be able to tell what it was seeded with.
    static uint32_t ClockSeed();

    // A uniformly random integer in 0 .. n-1; 0 when n is 0 or less.
    int Random(int n);

private:
    std::mt19937 engine_;
};

// Seeding at the start of a draft or a sealed run: the fixed seed when one is set, else the clock.
// Returns the seed used.
inline uint32_t SeedForRun(RandomSource& random, const std::optional<uint32_t>& fixedSeed) {
    const uint32_t seed = fixedSeed ? *fixedSeed : RandomSource::ClockSeed();
    random.Seed(seed);
    return seed;
}

} // namespace tovel

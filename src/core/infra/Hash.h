#pragma once

// FNV-1a over bytes, for the in-memory lookup tables (nothing hashed is ever stored).

#include <cstdint>
#include <string_view>

namespace tovel {

inline constexpr uint64_t kFnvOffset = 1469598103934665603ull;
inline constexpr uint64_t kFnvPrime = 1099511628211ull;

// Adds the bytes of `text` to `h`, each passed through `fold` first (a case folding, or none).
template <class Fold> constexpr uint64_t Fnv1a(std::string_view text, Fold fold, uint64_t h = kFnvOffset) {
    for (char c : text)
        h = (h ^ static_cast<unsigned char>(fold(c))) * kFnvPrime;
    return h;
}

inline constexpr auto kNoFold = [](char c) {
    return c;
};

// A mark no byte equals, between two texts hashed as one key.
constexpr uint64_t FnvSeparator(uint64_t h) {
    return (h ^ 0x100) * kFnvPrime;
}

// FNV-1a mixes poorly into its low bits, which the tables use; folds the high ones down.
constexpr uint32_t Fold32(uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return static_cast<uint32_t>(h);
}

} // namespace tovel

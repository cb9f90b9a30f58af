#include "core/infra/LargeMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace tovel;

TEST(LargeMemory, BigRequestsTakeWholeAlignedHugePagesAndGiveThemBack) {
    constexpr size_t kHuge = size_t{2} << 20;
    const size_t before = LargeMemoryInUse();

    const size_t bytes = kLargeMemoryThreshold + 1;
    auto* big = static_cast<char*>(AllocateLarge(bytes));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(big) % kHuge, 0u);
    EXPECT_EQ(LargeMemoryInUse() - before, kLargeMemoryThreshold + kHuge);
    std::memset(big, 1, bytes); // every byte asked for is there
    EXPECT_EQ(big[bytes - 1], 1);

    void* small = AllocateLarge(1000); // the ordinary heap
    EXPECT_EQ(LargeMemoryInUse() - before, kLargeMemoryThreshold + kHuge);
    FreeLarge(small, 1000);

    // Trimmed, it keeps its first whole pages (at least the threshold's worth).
    const size_t kept = TrimLarge(big, bytes, 1);
    EXPECT_EQ(kept, kLargeMemoryThreshold);
    EXPECT_EQ(LargeMemoryInUse() - before, kLargeMemoryThreshold);
    big[kept - 1] = 2;

    FreeLarge(big, kept);
    EXPECT_EQ(LargeMemoryInUse(), before);
}

#pragma once

// Memory for big buffers that are filled at once: a million cards' records, their rules-text
// lines, the keys of the lists over them. It comes straight from the kernel, aligned to and
// advised for 2 MB transparent huge pages where the system allows them, so filling it costs one
// page fault per 2 MB instead of one per 4 KB. On a virtual machine, where a fault is dear, that
// fault per page is most of what loading a big database otherwise spends.
// Smaller requests go to the ordinary heap.

#include <cstddef>
#include <new>
#include <vector>

namespace tovel {

// Requests of at least this many bytes come from the kernel.
inline constexpr size_t kLargeMemoryThreshold = size_t{4} << 20;

// `bytes` of memory aligned to at least alignof(std::max_align_t); throws std::bad_alloc.
void* AllocateLarge(size_t bytes);
// Gives back memory from AllocateLarge, with the same `bytes`.
void FreeLarge(void* memory, size_t bytes) noexcept;
// Gives back the whole huge pages of memory from AllocateLarge(bytes) past its first `keep` bytes
// (never below the threshold). Returns the size to free it with from then on.
size_t TrimLarge(void* memory, size_t bytes, size_t keep) noexcept;
// Bytes currently held by AllocateLarge outside the ordinary heap (for memory measurements).
size_t LargeMemoryInUse() noexcept;

// A standard allocator over AllocateLarge, for vectors that may grow big.
template <typename T> struct TLargeAllocator {
    using value_type = T;
    TLargeAllocator() = default;
    template <typename U> TLargeAllocator(const TLargeAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        if (n > static_cast<size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }

    template <typename U> friend bool operator==(const TLargeAllocator&, const TLargeAllocator<U>&) {
        return true;
    }
};

// A vector that may hold millions of elements.
template <typename T> using TBigVector = std::vector<T, TLargeAllocator<T>>;

} // namespace tovel

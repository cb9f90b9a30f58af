#include "core/infra/LargeMemory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include <sys/mman.h>

namespace tovel {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

// Global: the bytes in use summed over every block of the process.
std::atomic<size_t> inUse{0};

// Mappings are whole huge pages: the kernel backs only whole, aligned 2 MB ranges with them, and
// a tail in small pages would cost a fault per 4 KB again. An untouched tail costs nothing.
size_t HugeRounded(size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}

bool FromKernel(size_t bytes) {
    return bytes >= kLargeMemoryThreshold;
}

} // namespace

void* AllocateLarge(size_t bytes) {
    if (!FromKernel(bytes))
        return ::operator new(bytes);
    const size_t size = HugeRounded(bytes);
    // Mapped with a huge page's worth to spare, then trimmed to start on a huge-page boundary.
    void* mapped =
        ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = (start + kHugePage - 1) & ~(uintptr_t{kHugePage} - 1);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const size_t tail = start + size + kHugePage - (aligned + size); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* memory = reinterpret_cast<void*>(aligned);
    // Only advice: where huge pages are off, the memory is still good in ordinary pages.
    ::madvise(memory, size, MADV_HUGEPAGE);
    inUse.fetch_add(size, std::memory_order_relaxed);
    return memory;
}

void FreeLarge(void* memory, size_t bytes) noexcept {
    if (!memory)
        return;
    if (!FromKernel(bytes)) {
        ::operator delete(memory);
        return;
    }
    const size_t size = HugeRounded(bytes);
    ::munmap(memory, size);
    inUse.fetch_sub(size, std::memory_order_relaxed);
}

size_t TrimLarge(void* memory, size_t bytes, size_t keep) noexcept {
    if (!FromKernel(bytes))
        return bytes;
    const size_t size = HugeRounded(bytes);
    const size_t kept = std::max(HugeRounded(keep), kLargeMemoryThreshold);
    if (kept >= size)
        return bytes;
    ::munmap(static_cast<char*>(memory) + kept, size - kept);
    inUse.fetch_sub(size - kept, std::memory_order_relaxed);
    return kept;
}

size_t LargeMemoryInUse() noexcept {
    return inUse.load(std::memory_order_relaxed);
}

} // namespace tovel

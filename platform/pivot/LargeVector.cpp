#include "platform/pivot/LargeVector.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace morvane::pivot::detail {

namespace {
// Below this, malloc serves the block as usual.
constexpr std::size_t kLarge = std::size_t{4} << 20;
// Huge pages are 2 MiB: a block mapped on that boundary and rounded up to it
// is all huge pages, where a block at any page boundary keeps up to 2 MiB of
// small pages at each end, each its own fault.
constexpr std::size_t kHuge = std::size_t{2} << 20;

std::size_t roundUp(std::size_t bytes) {
    return (bytes + kHuge - 1) & ~(kHuge - 1);
}
}  // namespace

void* allocateLarge(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLarge) {
        const std::size_t size = roundUp(bytes);
        // Map one huge page more than needed and give back the unaligned ends.
        void* p =
            mmap(nullptr, size + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        const auto at = reinterpret_cast<std::uintptr_t>(p);
        const std::uintptr_t aligned = (at + kHuge - 1) & ~std::uintptr_t{kHuge - 1};
        if (aligned > at)
            munmap(p, aligned - at);
        if (const std::size_t tail = kHuge - (aligned - at))
            munmap(reinterpret_cast<void*>(aligned + size), tail);
        madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void releaseLarge(void* p, std::size_t bytes) {
    if (!p)
        return;
#if defined(__linux__)
    if (bytes >= kLarge) {
        munmap(p, roundUp(bytes));
        return;
    }
#endif
    std::free(p);
}

}  // namespace morvane::pivot::detail

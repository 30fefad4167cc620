#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace morvane::pivot::detail {

// Memory for the per-row arrays of a million-row result (ids, keys, sums).
// Large blocks are mapped with transparent huge pages where the system
// offers them, which spares most of the page faults of touching them first.
void* allocateLarge(std::size_t bytes);
void releaseLarge(void* p, std::size_t bytes);

template <class T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { releaseLarge(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

}  // namespace morvane::pivot::detail

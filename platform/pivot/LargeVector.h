#pragma once

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace morvane::pivot::detail {

// Memory for the per-row arrays of a million-row result (ids, keys, sums).
// Large blocks are mapped with transparent huge pages where the system
// offers them, which spares most of the page faults of touching them first,
// and released ones are kept for the next block of their size.
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
    // resize() leaves new elements uninitialised: every per-row array is
    // written in full by its builder, and zeroing it first would cost a pass
    // over memory (assign() still fills).
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

}  // namespace morvane::pivot::detail

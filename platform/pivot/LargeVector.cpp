#include "platform/pivot/LargeVector.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace morvane::pivot::detail {

namespace {
// Below this, malloc serves the block as usual.
constexpr std::size_t kLarge = std::size_t{4} << 20;
}  // namespace

void* allocateLarge(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLarge) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        madvise(p, bytes, MADV_HUGEPAGE);
        return p;
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
        munmap(p, bytes);
        return;
    }
#endif
    std::free(p);
}

}  // namespace morvane::pivot::detail

#include "platform/db/PodArray.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace morvane::db::detail {

namespace {

// Blocks from this size on are mapped; below it malloc is cheaper.
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t mappedSize(std::size_t bytes) {
    return (bytes + kHugePage - 1) & ~(kHugePage - 1);
}

}  // namespace

void* growBlock(void* block, std::size_t usedBytes, std::size_t oldBytes, std::size_t newBytes) {
    if (newBytes < kMappedFrom) {
        void* grown = std::realloc(block, newBytes);
        if (!grown)
            throw std::bad_alloc();
        return grown;
    }
    if (block != nullptr && oldBytes >= kMappedFrom) {
        void* grown = ::mremap(block, mappedSize(oldBytes), mappedSize(newBytes), MREMAP_MAYMOVE);
        if (grown == MAP_FAILED)
            throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
        ::madvise(grown, mappedSize(newBytes), MADV_HUGEPAGE);
#endif
        return grown;
    }
    void* mapped = ::mmap(nullptr, mappedSize(newBytes), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(mapped, mappedSize(newBytes), MADV_HUGEPAGE);
#endif
    if (block != nullptr) {
        if (usedBytes)
            std::memcpy(mapped, block, usedBytes);
        std::free(block);
    }
    return mapped;
}

void freeBlock(void* block, std::size_t bytes) noexcept {
    if (bytes >= kMappedFrom)
        ::munmap(block, mappedSize(bytes));
    else
        std::free(block);
}

}  // namespace morvane::db::detail

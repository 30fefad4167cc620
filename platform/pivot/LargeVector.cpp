#include "platform/pivot/LargeVector.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace morvane::pivot::detail {

namespace {
// Below this, malloc serves the block as usual.
constexpr std::size_t kLarge = std::size_t{2} << 20;
// Huge pages are 2 MiB: a block mapped on that boundary and rounded up to it
// is all huge pages, where a block at any page boundary keeps up to 2 MiB of
// small pages at each end, each its own fault.
constexpr std::size_t kHuge = std::size_t{2} << 20;

std::size_t roundUp(std::size_t bytes) {
    return (bytes + kHuge - 1) & ~(kHuge - 1);
}

#if defined(__linux__)
// Released blocks kept for the next ones of the same size. A new result is
// laid out in arrays of the sizes the last one used (same rows, same cells),
// and a kept block is neither mapped, nor faulted in, nor zeroed again. A
// kept block is handed to the kernel as free to take back under memory
// pressure (its pages then read as zeros, which no array relies on either
// way), so what is kept costs memory only while nothing else wants it.
class KeptBlocks {
  public:
    // A kept block of exactly `size` bytes, or nullptr.
    void* take(std::size_t size) {
        std::lock_guard lock(mutex_);
        for (std::size_t i = blocks_.size(); i-- > 0;) {
            if (blocks_[i].size != size)
                continue;
            void* p = blocks_[i].at;
            kept_ -= size;
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(i));
            return p;
        }
        return nullptr;
    }
    // Keeps the block when there is room, oldest blocks making way; says
    // whether it was kept.
    bool keep(void* p, std::size_t size) {
        if (size > kKeep)
            return false;
        std::vector<Block> dropped;
        {
            std::lock_guard lock(mutex_);
            while (kept_ + size > kKeep) {
                dropped.push_back(blocks_.front());
                kept_ -= blocks_.front().size;
                blocks_.erase(blocks_.begin());
            }
            blocks_.push_back({p, size});
            kept_ += size;
        }
        madvise(p, size, MADV_FREE);
        for (const Block& b : dropped)
            munmap(b.at, b.size);
        return true;
    }

  private:
    // What is kept at most: the arrays of a few ten-million-row layouts.
    static constexpr std::size_t kKeep = std::size_t{1} << 30;
    struct Block {
        void* at;
        std::size_t size;
    };
    std::mutex mutex_;
    std::vector<Block> blocks_;  // oldest first
    std::size_t kept_ = 0;
};

KeptBlocks& keptBlocks() {
    // Never destroyed: arrays may be released during the program's exit.
    static auto* kept = new KeptBlocks;
    return *kept;
}

void* mapHuge(std::size_t size) {
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
}  // namespace

void* allocateLarge(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLarge) {
        const std::size_t size = roundUp(bytes);
        if (void* p = keptBlocks().take(size))
            return p;
        return mapHuge(size);
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
        const std::size_t size = roundUp(bytes);
        if (!keptBlocks().keep(p, size))
            munmap(p, size);
        return;
    }
#endif
    std::free(p);
}

}  // namespace morvane::pivot::detail

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace morvane::pivot::detail {

// Below this many source rows a pass runs on the calling thread alone: handing
// a share to another thread costs more than it saves.
inline constexpr std::int64_t kParallelRows = 100'000;

// Threads a pass over a large result uses: the machine's cores, at most 4.
int workerCount();

// Calls work(i) for every i in [0, count), spread over up to `threads`
// threads, the calling thread one of them (alone when no thread can start).
// Returns when every call has returned; an exception from a call stops the
// handing out of further calls and the first one is rethrown.
void parallelFor(std::size_t count, int threads, const std::function<void(std::size_t)>& work);

// Share `part` of n rows split into `parts` nearly equal shares: its first row and the
// row after its last.
struct RowRange {
    std::int64_t begin = 0, end = 0;
};
inline RowRange rowRange(std::int64_t n, std::size_t part, std::size_t parts) {
    const auto p = static_cast<std::int64_t>(part), k = static_cast<std::int64_t>(parts);
    return {n * p / k, n * (p + 1) / k};
}

}  // namespace morvane::pivot::detail

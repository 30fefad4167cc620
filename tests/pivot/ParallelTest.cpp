// The kept worker threads: every call made once, from any caller, nested or not, and a
// failing call reported without leaving the workers stuck.
#include "platform/pivot/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace morvane::pivot::detail {
namespace {

// Runs parallelFor over n indexes and says whether each was called exactly once.
bool eachOnce(std::size_t n, int threads, const std::function<void(std::size_t)>& also = {}) {
    std::vector<std::atomic<int>> calls(n);
    parallelFor(n, threads, [&](std::size_t i) {
        calls[i].fetch_add(1);
        if (also)
            also(i);
    });
    for (const auto& c : calls)
        if (c.load() != 1)
            return false;
    return true;
}

TEST(Parallel, EveryCallOnceFromNestedAndConcurrentCallers) {
    EXPECT_TRUE(eachOnce(1000, 2));
    // A call inside a call: the workers are busy with the outer batch.
    std::atomic<int> inner{0};
    EXPECT_TRUE(eachOnce(8, 2, [&](std::size_t) { inner += eachOnce(50, 2) ? 1 : 0; }));
    EXPECT_EQ(inner.load(), 8);
    // Two callers at once, many times over: one has the workers, the other its own threads.
    std::atomic<int> good{0};
    auto caller = [&] {
        for (int k = 0; k < 200; ++k)
            good += eachOnce(64, 2) ? 1 : 0;
    };
    std::thread other(caller);
    caller();
    other.join();
    EXPECT_EQ(good.load(), 400);
}

TEST(Parallel, AFailingCallIsRethrownAndTheWorkersCarryOn) {
    for (int k = 0; k < 3; ++k) {
        std::atomic<int> after{0};
        EXPECT_THROW(parallelFor(100'000, 2,
                                 [&](std::size_t i) {
                                     if (i == 10)
                                         throw std::runtime_error("no");
                                     if (i > 50'000)
                                         ++after;
                                 }),
                     std::runtime_error);
        // Handing out stops soon after the failure.
        EXPECT_LT(after.load(), 50'000);
        EXPECT_TRUE(eachOnce(1000, 2));
    }
}

}  // namespace
}  // namespace morvane::pivot::detail

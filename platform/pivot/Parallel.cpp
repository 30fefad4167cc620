#include "platform/pivot/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace morvane::pivot::detail {

int workerCount() {
    static const int n = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
    return n;
}

void parallelFor(std::size_t count, int threads, const std::function<void(std::size_t)>& work) {
    const auto workers = std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    std::exception_ptr error;
    std::mutex errorMutex;
    auto run = [&] {
        try {
            for (std::size_t i; (i = next.fetch_add(1)) < count;)
                work(i);
        } catch (...) {
            std::lock_guard lock(errorMutex);
            if (!error)
                error = std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(workers - 1);
    // A thread that cannot start leaves its share to the others.
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            pool.emplace_back(run);
        } catch (const std::system_error&) {
            break;
        }
    }
    run();
    for (auto& t : pool)
        t.join();
    if (error)
        std::rethrow_exception(error);
}

}  // namespace morvane::pivot::detail

#include "platform/pivot/Parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
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

namespace {

// The calls of one parallelFor, handed out one index at a time to whoever
// asks next.
struct Batch {
    Batch(std::size_t n, const std::function<void(std::size_t)>& w) : count(n), work(&w) {}
    std::size_t count;
    const std::function<void(std::size_t)>* work;
    std::atomic<std::size_t> next{0};
    std::exception_ptr error;
    std::mutex errorMutex;

    void drain() {
        try {
            for (std::size_t i; (i = next.fetch_add(1)) < count;)
                (*work)(i);
        } catch (...) {
            std::lock_guard lock(errorMutex);
            if (!error)
                error = std::current_exception();
            next = count;
        }
    }
};

// Threads started once and kept: a layout makes a dozen passes, and a thread
// started for each would cost more than some passes take. They also keep
// what each thread caches (its allocator's free lists, the texts of small
// numbers) from one layout to the next.
class Workers {
  public:
    explicit Workers(int count) {
        for (int i = 0; i < count; ++i) {
            try {
                threads_.emplace_back([this] { loop(); });
            } catch (const std::system_error&) {
                break;  // fewer helpers
            }
        }
    }
    ~Workers() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (auto& t : threads_)
            t.join();
    }

    // Runs the batch on the calling thread with up to `helpers` workers.
    // Returns false, having run nothing, when the workers are on another
    // batch (a call from inside a call, or from another thread).
    bool run(Batch& batch, std::size_t helpers) {
        std::unique_lock own(busy_, std::try_to_lock);
        if (!own.owns_lock())
            return false;
        {
            std::lock_guard lock(mutex_);
            batch_ = &batch;
            wanted_ = std::min(helpers, threads_.size());
        }
        wake_.notify_all();
        batch.drain();
        // Every call is handed out: no worker joins from here on, and those
        // inside finish the call they hold.
        std::unique_lock lock(mutex_);
        batch_ = nullptr;
        wanted_ = 0;
        finished_.wait(lock, [&] { return active_ == 0; });
        return true;
    }

  private:
    void loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stop_ || (batch_ && wanted_ > 0); });
            if (stop_)
                return;
            --wanted_;
            ++active_;
            Batch* batch = batch_;
            lock.unlock();
            batch->drain();
            lock.lock();
            if (--active_ == 0)
                finished_.notify_all();
        }
    }

    std::mutex busy_;  // held by the thread whose batch the workers are on
    std::mutex mutex_;
    std::condition_variable wake_, finished_;
    Batch* batch_ = nullptr;
    std::size_t wanted_ = 0;  // workers still to join the batch
    int active_ = 0;          // workers inside the batch
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

// Threads of their own for a batch the kept workers cannot take.
void runOnNewThreads(Batch& batch, std::size_t workers) {
    std::vector<std::thread> pool;
    pool.reserve(workers - 1);
    // A thread that cannot start leaves its share to the others.
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            pool.emplace_back([&batch] { batch.drain(); });
        } catch (const std::system_error&) {
            break;
        }
    }
    batch.drain();
    for (auto& t : pool)
        t.join();
}

}  // namespace

void parallelFor(std::size_t count, int threads, const std::function<void(std::size_t)>& work) {
    const auto workers =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            work(i);
        return;
    }
    static Workers kept(workerCount() - 1);
    Batch batch(count, work);
    if (!kept.run(batch, workers - 1))
        runOnNewThreads(batch, workers);
    if (batch.error)
        std::rethrow_exception(batch.error);
}

}  // namespace morvane::pivot::detail

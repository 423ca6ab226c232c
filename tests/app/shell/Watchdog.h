#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace tf::test {

/// Aborts the whole test program when the test that made it has not finished within `limit`,
/// so that a deadlock or a worker that never stops fails loudly instead of hanging.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit = std::chrono::seconds(60)) {
        guard = std::thread([this, limit] {
            std::unique_lock lock(mutex);
            if (!wake.wait_for(lock, limit, [this] { return finished; })) {
                std::fputs("watchdog: the test did not finish in time\n", stderr);
                std::abort();
            }
        });
    }
    ~Watchdog() {
        {
            std::lock_guard lock(mutex);
            finished = true;
        }
        wake.notify_all();
        guard.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex;
    std::condition_variable wake;
    bool finished = false;
    std::thread guard;
};

/// Waits (in real time) until `done()` holds. Only a watchdog bounds it: no test asserts on
/// how long anything takes.
template <typename Predicate> void WaitUntil(Predicate done) {
    while (!done()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace tf::test

#pragma once

#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace tf::test {

/// Virtual time like ManualClock, except that a sleep on any thread but the one that made the
/// clock also waits a little real time for each virtual millisecond. A worker thread then needs
/// about a second to play a short song through, so the test thread can look at the state it
/// just caused (a play running) without racing the end of the song. The test thread's own
/// sleeps (the pause hand-off) stay instant.
class PacedClock final : public Clock {
public:
    explicit PacedClock(std::uint32_t start = 0,
                        std::chrono::microseconds realPerMs = std::chrono::microseconds(100))
        : now(start), realPerMs(realPerMs), owner(std::this_thread::get_id()) {}

    std::uint32_t tickCount() override { return now.load(std::memory_order_acquire); }
    void sleep(std::uint32_t ms) override {
        if (std::this_thread::get_id() != owner) {
            std::this_thread::sleep_for(realPerMs * ms);
        }
        advance(ms);
    }

    void advance(std::uint32_t ms) { now.fetch_add(ms, std::memory_order_acq_rel); }
    void set(std::uint32_t tick) { now.store(tick, std::memory_order_release); }

private:
    std::atomic<std::uint32_t> now;
    const std::chrono::microseconds realPerMs;
    const std::thread::id owner;
};

} // namespace tf::test

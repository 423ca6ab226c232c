#pragma once

#include "platform/Clock.h"

#include <atomic>

namespace tf {

/// Virtual time for tests and the headless companion: time moves only when someone sleeps or
/// calls `advance`, so a whole song runs faster than real time and gives the same log every run.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : now(start) {}

    std::uint32_t tickCount() override { return now.load(std::memory_order_acquire); }
    void sleep(std::uint32_t ms) override { advance(ms); }

    void advance(std::uint32_t ms) { now.fetch_add(ms, std::memory_order_acq_rel); }
    void set(std::uint32_t tick) { now.store(tick, std::memory_order_release); }

private:
    std::atomic<std::uint32_t> now;
};

} // namespace tf

#pragma once

#include "platform/Clock.h"
#include "platform/SystemClock.h"

#include <atomic>
#include <cstdint>

namespace tf::bench {

/// The game's real clock, read at its real cost, except that sleeping returns at once and moves
/// the clock on by the time it would have slept: a frame pays for its clock reads but not for
/// its 1 ms sleep.
class UnsleepingSystemClock final : public Clock {
public:
    std::uint32_t tickCount() override { return real.tickCount() + skipped.load(std::memory_order_relaxed); }
    void sleep(std::uint32_t ms) override { skipped.fetch_add(ms, std::memory_order_relaxed); }

private:
    SystemClock real;
    std::atomic<std::uint32_t> skipped{0};
};

} // namespace tf::bench

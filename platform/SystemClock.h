#pragma once

#include "platform/Clock.h"

#include <chrono>

namespace tf {

/// Real time from the monotonic clock, so that a change of the wall clock never moves the song.
class SystemClock final : public Clock {
public:
    SystemClock();
    std::uint32_t tickCount() override;
    void sleep(std::uint32_t ms) override;

private:
    std::chrono::steady_clock::time_point origin;
};

} // namespace tf

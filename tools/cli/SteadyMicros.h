#pragma once

#include <chrono>
#include <cstdint>

namespace tf::cli {

/// Microseconds on the monotonic clock, from an arbitrary origin shared by every thread: finer
/// than the game's millisecond ticks, for the spans the timing harness measures.
inline std::int64_t SteadyMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace tf::cli

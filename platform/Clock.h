#pragma once

#include <cstdint>

namespace tf {

/// The game's only source of time. `tickCount()` is a millisecond counter that wraps at 2^32,
/// like a system tick counter; every song time is a difference of two such ticks, taken in
/// unsigned 32-bit arithmetic so the wrap does no harm.
class Clock {
public:
    virtual ~Clock() = default;
    /// Milliseconds since an arbitrary origin, wrapping modulo 2^32.
    virtual std::uint32_t tickCount() = 0;
    /// Blocks the calling thread for about `ms` milliseconds (0 yields).
    virtual void sleep(std::uint32_t ms) = 0;
};

} // namespace tf

#pragma once

#include <cstdint>

namespace tf {

/// A one-shot millisecond timer on the tick counter. `running` is true for the whole run and
/// for exactly one more call: the first call that finds the tick past the deadline, which also
/// disarms the timer. Time is handed in, so the timer never reads a clock itself.
class TickTimer {
public:
    void setDuration(std::uint32_t ms) { duration_ = ms; }
    /// Arms (deadline = now + duration, wrapping) or only disarms, leaving the deadline.
    void start(bool on, std::uint32_t now) {
        armed_ = on;
        if (on) {
            deadline_ = now + duration_;
        }
    }
    bool running(std::uint32_t now) {
        if (now > deadline_ && armed_) {
            armed_ = false;
            return true;
        }
        return armed_;
    }
    /// All fields zero, as a new timer.
    void zero() { *this = TickTimer{}; }

    std::uint32_t deadline() const { return deadline_; }
    std::uint32_t duration() const { return duration_; }
    bool armed() const { return armed_; }

private:
    std::uint32_t deadline_ = 0;
    std::uint32_t duration_ = 0;
    bool armed_ = false;
};

} // namespace tf

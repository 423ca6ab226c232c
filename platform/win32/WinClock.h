#pragma once

#include "platform/Clock.h"
#include "platform/win32/TimerPeriod.h"

namespace tf {

/// The system tick counter and `Sleep`, with a 1 ms timer period for the clock's whole life; the
/// program keeps one for as long as it runs.
class WinClock final : public Clock {
public:
    WinClock() = default;
    /// `GetTickCount`: milliseconds since Windows started, wrapping after 49.7 days.
    std::uint32_t tickCount() override;
    /// `Sleep`; 0 gives up the rest of the time slice.
    void sleep(std::uint32_t ms) override;

    bool finePeriod() const { return period.granted(); }

private:
    TimerPeriod period{1};
};

} // namespace tf

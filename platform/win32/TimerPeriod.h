#pragma once

namespace tf {

/// Asks Windows for a timer period of `ms` milliseconds for as long as the object lives, so that
/// a sleep of 1 ms lasts about 1 ms instead of a whole default timer tick of 15.6 ms.
class TimerPeriod {
public:
    explicit TimerPeriod(unsigned ms);
    ~TimerPeriod();
    TimerPeriod(const TimerPeriod&) = delete;
    TimerPeriod& operator=(const TimerPeriod&) = delete;

    /// Whether Windows granted the period (it is given back on destruction only then).
    bool granted() const { return granted_; }

private:
    unsigned period;
    bool granted_;
};

} // namespace tf

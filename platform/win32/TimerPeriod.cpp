#include "platform/win32/TimerPeriod.h"

#include "platform/win32/WinApi.h"

namespace tf {

TimerPeriod::TimerPeriod(unsigned ms) : period(ms), granted_(timeBeginPeriod(ms) == TIMERR_NOERROR) {}

TimerPeriod::~TimerPeriod() {
    if (granted_) {
        timeEndPeriod(period);
    }
}

} // namespace tf

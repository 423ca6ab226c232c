#include "platform/win32/WinClock.h"

#include "platform/win32/WinApi.h"

namespace tf {

std::uint32_t WinClock::tickCount() {
    return GetTickCount();
}

void WinClock::sleep(std::uint32_t ms) {
    Sleep(ms);
}

} // namespace tf

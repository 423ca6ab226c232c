#include "platform/win32/WinClock.h"
#include "platform/win32/AsyncKeyState.h"
#include "platform/win32/WinApi.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(WinClock, HoldsAOneMillisecondTimerPeriodAndFollowsTheSystemTick) {
    WinClock clock;
    EXPECT_TRUE(clock.finePeriod());
    const std::uint32_t before = clock.tickCount();
    const DWORD system = GetTickCount();
    clock.sleep(2);
    clock.sleep(0);
    const std::uint32_t after = clock.tickCount();
    // Differences in unsigned 32-bit arithmetic, as the song clock takes them.
    EXPECT_LT(static_cast<std::uint32_t>(system - before), 1000u);
    EXPECT_LT(static_cast<std::uint32_t>(after - before), 0x80000000u);
}

TEST(TimerPeriod, APeriodWindowsRefusesIsNotGivenBack) {
    const TimerPeriod zero(0);
    EXPECT_FALSE(zero.granted());
    const TimerPeriod one(1);
    EXPECT_TRUE(one.granted());
}

TEST(AsyncKeyState, CodesAboveTheKeyRangeAreNeverPressed) {
    AsyncKeyState keys;
    EXPECT_FALSE(keys.pressedSinceLastQuery(256));
    EXPECT_FALSE(keys.pressedSinceLastQuery(0xFFFFFFFFu));
}

} // namespace
} // namespace tf

#include "platform/win32/WinMmPort.h"
#include "platform/win32/WinMmResult.h"

#include <gtest/gtest.h>

#include <array>

namespace tf {
namespace {

TEST(WinMmPort, CallsOnAPortNeverOpenedAnswerNotOpen) {
    WinMmPort port;
    EXPECT_EQ(port.sendShort(0x00643C90), PortResult::NotOpen);
    const std::array<std::uint8_t, 6> sysex{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(port.sendLong(sysex), PortResult::NotOpen);
    // A header that never reached the driver is not waited for.
    EXPECT_TRUE(port.longDone());
    EXPECT_EQ(port.close(), PortResult::NotOpen);
}

TEST(WinMmPort, TheMapperOpensSendsAndClosesOrReportsWhyNot) {
    WinMmPort port;
    if (port.open() != PortResult::Ok) {
        GTEST_SKIP() << "the MIDI mapper did not open here (" << port.describe().failure << ")";
    }
    EXPECT_EQ(port.open(), PortResult::InUse) << "a second open must keep the first handle";
    EXPECT_EQ(port.sendShort(0x00643C90), PortResult::Ok);
    EXPECT_EQ(port.sendShort(0x00003C80), PortResult::Ok);
    const std::array<std::uint8_t, 6> reset{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(port.sendLong(reset), PortResult::Ok);
    // Closing with the message perhaps still queued returns it first, so the close succeeds.
    EXPECT_EQ(port.close(), PortResult::Ok);
    EXPECT_TRUE(port.longDone());
    EXPECT_EQ(port.sendShort(0x00643C90), PortResult::NotOpen);
}

TEST(WinMmPort, WindowsResultsKeepTheFailuresThePlayerIsToldAbout) {
    EXPECT_EQ(PortResultOf(MMSYSERR_NOERROR), PortResult::Ok);
    EXPECT_EQ(PortResultOf(MIDIERR_NODEVICE), PortResult::NoDevice);
    EXPECT_EQ(PortResultOf(MMSYSERR_ALLOCATED), PortResult::InUse);
    EXPECT_EQ(PortResultOf(MMSYSERR_BADDEVICEID), PortResult::NoSuchDevice);
    EXPECT_EQ(PortResultOf(MMSYSERR_INVALPARAM), PortResult::BadArgument);
    EXPECT_EQ(PortResultOf(MMSYSERR_NOMEM), PortResult::OutOfMemory);
    EXPECT_EQ(PortResultOf(MMSYSERR_INVALHANDLE), PortResult::NotOpen);
    // Anything else shows the player nothing, as before any translation.
    EXPECT_EQ(PortResultOf(MMSYSERR_ERROR), PortResult::Failed);
    EXPECT_EQ(PortResultOf(MMSYSERR_NOTENABLED), PortResult::Failed);
    EXPECT_EQ(PortResultOf(MIDIERR_NODEVICE + 1), PortResult::Failed);
}

} // namespace
} // namespace tf

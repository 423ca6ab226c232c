#include "platform/win32/WinMmPort.h"

#include <gtest/gtest.h>

#include <array>

namespace tf {
namespace {

TEST(WinMmPort, CallsOnAPortNeverOpenedAnswerWindowsOwnInvalidHandle) {
    WinMmPort port;
    EXPECT_EQ(port.sendShort(0x00643C90), MMSYSERR_INVALHANDLE);
    const std::array<std::uint8_t, 6> sysex{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(port.sendLong(sysex), MMSYSERR_INVALHANDLE);
    // A header that never reached the driver is not waited for.
    EXPECT_TRUE(port.longDone());
    EXPECT_EQ(port.close(), MMSYSERR_INVALHANDLE);
}

TEST(WinMmPort, TheMapperOpensSendsAndClosesOrReportsWhyNot) {
    WinMmPort port;
    const std::uint32_t opened = port.open();
    if (opened != MMSYSERR_NOERROR) {
        GTEST_SKIP() << "the MIDI mapper did not open here (result " << opened << ")";
    }
    EXPECT_EQ(port.open(), MMSYSERR_ALLOCATED) << "a second open must keep the first handle";
    EXPECT_EQ(port.sendShort(0x00643C90), MMSYSERR_NOERROR);
    EXPECT_EQ(port.sendShort(0x00003C80), MMSYSERR_NOERROR);
    const std::array<std::uint8_t, 6> reset{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(port.sendLong(reset), MMSYSERR_NOERROR);
    // Closing with the message perhaps still queued returns it first, so the close succeeds.
    EXPECT_EQ(port.close(), MMSYSERR_NOERROR);
    EXPECT_TRUE(port.longDone());
    EXPECT_EQ(port.sendShort(0x00643C90), MMSYSERR_INVALHANDLE);
}

} // namespace
} // namespace tf

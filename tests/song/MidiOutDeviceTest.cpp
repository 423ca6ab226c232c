#include "song/MidiOutDevice.h"

#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tf {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::RecordingSink;

/// A port that keeps reading long messages until told it is done, as a slow driver does. It
/// holds on to each message it was handed, so a buffer freed too early shows up (and trips
/// the address sanitizer) when the test reads it back.
class SlowPort final : public MidiPort {
public:
    PortResult open() override { return PortResult::Ok; }
    PortResult sendShort(std::uint32_t) override { return PortResult::Ok; }
    PortResult sendLong(std::span<const std::uint8_t> message) override {
        handed.push_back(message);
        done = false;
        return PortResult::Ok;
    }
    bool longDone() override { return done; }
    PortResult close() override {
        ++closes;
        return PortResult::Ok;
    }
    std::vector<std::span<const std::uint8_t>> handed;
    bool done = true;
    int closes = 0;
};

struct DeviceRig {
    explicit DeviceRig(PortResult openResult = PortResult::Ok, bool failSends = false)
        : port(clock, openResult, failSends) {}
    ManualClock clock;
    CapturePort port;
    RecordingSink sink;
    MidiOutDevice device{port, sink};
};

TEST(MidiOutDeviceTest, OpenSucceedsSilently) {
    DeviceRig rig;
    EXPECT_FALSE(rig.device.open());
    EXPECT_TRUE(rig.device.isOpen());
    EXPECT_EQ(rig.device.lastResult(), PortResult::Ok);
    EXPECT_TRUE(rig.sink.messages().empty());
    EXPECT_EQ(rig.port.openCount(), 1);
}

TEST(MidiOutDeviceTest, EachReportedOpenFailureShowsItsTextOnce) {
    const std::vector<std::pair<PortResult, std::string>> cases{
        {PortResult::NoDevice, "MIDIポートが見つかりません。"},
        {PortResult::InUse, "指定されたリソースは既に割り当てられています。"},
        {PortResult::NoSuchDevice, "指定されたデバイス識別子は範囲外です。"},
        {PortResult::BadArgument, "指定されたポインタまたは構造体は無効です。"},
        {PortResult::OutOfMemory, "システムはメモリを割り当てられてないか、またはロックできません。"},
    };
    for (const auto& [result, text] : cases) {
        DeviceRig rig(result);
        EXPECT_TRUE(rig.device.open()) << text;
        EXPECT_FALSE(rig.device.isOpen());
        EXPECT_EQ(rig.device.lastResult(), result);
        const auto shown = rig.sink.messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].icon, MessageIcon::Stop);
        EXPECT_EQ(shown[0].caption, "Tonefalls");
        EXPECT_EQ(shown[0].text, text);
        EXPECT_EQ(MidiOutDevice::OpenFailureText(result), text);
    }
}

TEST(MidiOutDeviceTest, OtherOpenFailuresShowNothingAndReportNoFailure) {
    for (const PortResult result : {PortResult::Failed, PortResult::NotOpen}) {
        DeviceRig rig(result);
        EXPECT_FALSE(rig.device.open());
        EXPECT_FALSE(rig.device.isOpen());
        EXPECT_EQ(rig.device.lastResult(), result);
        EXPECT_TRUE(rig.sink.messages().empty());
    }
}

TEST(MidiOutDeviceTest, ShortMessageWordTakesOneByteOfEachArgument) {
    DeviceRig rig;
    rig.device.open();
    EXPECT_FALSE(rig.device.sendShort(0x90, 60, 100));
    EXPECT_FALSE(rig.device.sendShort(0x1C0, 0x105, 0x17F));
    EXPECT_FALSE(rig.device.sendShort(0xB3, -1, 0));
    const auto sent = rig.port.messages();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].bytes, (Bytes{0x90, 0x3C, 0x64})); // the word 0x00643C90
    EXPECT_EQ(sent[1].bytes, (Bytes{0xC0, 0x05, 0x7F}));
    EXPECT_EQ(sent[2].bytes, (Bytes{0xB3, 0xFF, 0x00}));
    EXPECT_FALSE(sent[0].isLong);
}

TEST(MidiOutDeviceTest, SendsFailWithoutAMessageWhenThePortNeverOpened) {
    DeviceRig rig(PortResult::NoDevice);
    rig.device.open();
    EXPECT_TRUE(rig.device.sendShort(0x90, 60, 100));
    EXPECT_EQ(rig.device.lastResult(), PortResult::NotOpen);
    EXPECT_TRUE(rig.device.prepareLong(Bytes{0x01, 0xF7}));
    EXPECT_TRUE(rig.device.sendLong());
    EXPECT_FALSE(rig.device.longDone());
    EXPECT_TRUE(rig.device.releaseLong());
    EXPECT_TRUE(rig.port.messages().empty());
    EXPECT_EQ(rig.sink.messages().size(), 1u);
}

TEST(MidiOutDeviceTest, FailedSendIsOnlyRecorded) {
    DeviceRig rig(PortResult::Ok, true);
    rig.device.open();
    EXPECT_TRUE(rig.device.sendShort(0x90, 60, 100));
    EXPECT_EQ(rig.device.lastResult(), PortResult::Failed);
    EXPECT_TRUE(rig.sink.messages().empty());
}

TEST(MidiOutDeviceTest, LongMessageGetsAnF0OnlyWhenItsPayloadEndsInF7) {
    const std::vector<std::pair<Bytes, Bytes>> cases{
        {{0x7E, 0x7F, 0x09, 0x01, 0xF7}, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}},
        {{0x01, 0x02, 0x03}, {0x01, 0x02, 0x03}},
        {{0xF0, 0x41, 0xF7}, {0xF0, 0xF0, 0x41, 0xF7}},
        {{0xF7}, {0xF0, 0xF7}},
        {{}, {}},
    };
    for (const auto& [payload, message] : cases) {
        DeviceRig rig;
        rig.device.open();
        EXPECT_FALSE(rig.device.prepareLong(payload));
        EXPECT_EQ(rig.device.lastResult(), PortResult::Ok);
        EXPECT_EQ(Bytes(rig.device.longMessage().begin(), rig.device.longMessage().end()), message);
        EXPECT_FALSE(rig.device.sendLong());
        const auto sent = rig.port.messages();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_TRUE(sent[0].isLong);
        EXPECT_EQ(sent[0].bytes, message);
    }
}

TEST(MidiOutDeviceTest, SlotLifecycle) {
    DeviceRig rig;
    rig.device.open();
    EXPECT_FALSE(rig.device.longDone());
    EXPECT_FALSE(rig.device.releaseLong()); // nothing pending
    rig.device.prepareLong(Bytes{0x01, 0xF7});
    EXPECT_FALSE(rig.device.longDone()); // prepared, not handed over yet
    rig.device.sendLong();
    EXPECT_TRUE(rig.device.longDone());
    EXPECT_FALSE(rig.device.releaseLong());
    EXPECT_EQ(rig.device.lastResult(), PortResult::Ok);
    EXPECT_FALSE(rig.device.longDone());
    EXPECT_TRUE(rig.device.longMessage().empty());
    EXPECT_FALSE(rig.device.releaseLong());
}

TEST(MidiOutDeviceTest, SendLongWithNothingPreparedFails) {
    DeviceRig rig;
    rig.device.open();
    EXPECT_TRUE(rig.device.sendLong());
    EXPECT_EQ(rig.device.lastResult(), PortResult::BadArgument);
    EXPECT_TRUE(rig.port.messages().empty());
}

TEST(MidiOutDeviceTest, SecondMessageTakesTheSlotWhileThePortStillReadsTheFirst) {
    SlowPort port;
    RecordingSink sink;
    {
        MidiOutDevice device(port, sink);
        device.open();
        device.prepareLong(Bytes{0x41, 0x10, 0xF7});
        device.sendLong();
        device.prepareLong(Bytes{0x42, 0x11, 0xF7});
        EXPECT_EQ(Bytes(device.longMessage().begin(), device.longMessage().end()),
                  (Bytes{0xF0, 0x42, 0x11, 0xF7}));
        device.sendLong();
        // The driver is still reading both: the first buffer must still hold its bytes.
        ASSERT_EQ(port.handed.size(), 2u);
        EXPECT_EQ(Bytes(port.handed[0].begin(), port.handed[0].end()), (Bytes{0xF0, 0x41, 0x10, 0xF7}));
        EXPECT_FALSE(device.longDone());
        // Releasing the second while it is read keeps it alive too.
        EXPECT_FALSE(device.releaseLong());
        EXPECT_EQ(Bytes(port.handed[1].begin(), port.handed[1].end()), (Bytes{0xF0, 0x42, 0x11, 0xF7}));
        EXPECT_FALSE(device.longDone());
        port.done = true;
        EXPECT_FALSE(device.longDone()); // nothing pending any more
        EXPECT_FALSE(device.releaseLong());
    }
    EXPECT_EQ(port.closes, 1);
}

TEST(MidiOutDeviceTest, PendingMessageAtDestructionOutlivesTheOpenPort) {
    SlowPort port;
    RecordingSink sink;
    {
        MidiOutDevice device(port, sink);
        device.open();
        device.prepareLong(Bytes{0x01, 0xF7});
        device.sendLong();
        device.prepareLong(Bytes{0x02, 0xF7});
        device.sendLong();
    }
    EXPECT_EQ(port.closes, 1);
}

TEST(MidiOutDeviceTest, CloseAndDestruction) {
    DeviceRig rig;
    {
        MidiOutDevice device(rig.port, rig.sink);
        device.open();
        EXPECT_FALSE(device.close());
        EXPECT_EQ(rig.port.closeCount(), 1);
        EXPECT_TRUE(device.close()); // no handle any more
    }
    EXPECT_EQ(rig.port.closeCount(), 1);
    {
        MidiOutDevice device(rig.port, rig.sink);
        device.open();
    }
    EXPECT_EQ(rig.port.closeCount(), 2);
    { MidiOutDevice neverOpened(rig.port, rig.sink); }
    EXPECT_EQ(rig.port.closeCount(), 2);
}

} // namespace
} // namespace tf

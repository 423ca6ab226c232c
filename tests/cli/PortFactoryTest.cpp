#include "platform/midi/PortFactory.h"

#include "platform/midi/FluidSynthPort.h"
#include "platform/midi/RtMidiPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

TEST(PortFactory, FluidSynthIsTheDefault) {
    for (std::string_view word : {"", "fluidsynth"}) {
        const auto port = MakeMidiPort(word, "/tmp/some.sf2");
        const auto* synth = dynamic_cast<FluidSynthPort*>(port.get());
        ASSERT_NE(synth, nullptr) << word;
        EXPECT_EQ(synth->soundFont(), "/tmp/some.sf2");
        EXPECT_EQ(synth->mode(), FluidSynthPort::Mode::RealTime);
    }
    const auto port = MakeMidiPort(DefaultMidiOut);
    EXPECT_EQ(dynamic_cast<FluidSynthPort&>(*port).soundFont(), FluidSynthPort::DefaultSoundFont);
}

TEST(PortFactory, NoneIsSilentOnPurposeAndOpens) {
    const auto port = MakeMidiPort("none");
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->describe().output, "none");
    EXPECT_EQ(port->open(), PortResult::Ok);
    EXPECT_EQ(port->sendShort(0x00643C90), PortResult::Ok);
    const std::uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(port->sendLong(sysex), PortResult::Ok);
    EXPECT_TRUE(port->longDone());
    EXPECT_EQ(port->close(), PortResult::Ok);
}

TEST(PortFactory, AlsaWordsNameASequencerPort) {
    EXPECT_NE(dynamic_cast<RtMidiPort*>(MakeMidiPort("alsa:14").get()), nullptr);
    EXPECT_NE(dynamic_cast<RtMidiPort*>(MakeMidiPort("alsa:Midi Through").get()), nullptr);
}

TEST(PortFactory, OtherWordsMakeNothing) {
    for (std::string_view word : {"alsa:", "alsa", "FluidSynth", "jack", "none ", "fluidsynth:x"}) {
        EXPECT_EQ(MakeMidiPort(word), nullptr) << word;
    }
}

TEST(RtMidiPort, MessageLengthsFollowTheStatus) {
    EXPECT_EQ(ShortMessageLength(0x00), 0u);
    EXPECT_EQ(ShortMessageLength(0x7F), 0u);
    for (std::uint8_t status : {0x80, 0x9F, 0xA3, 0xB0, 0xEF, 0xF2}) {
        EXPECT_EQ(ShortMessageLength(status), 3u) << int(status);
    }
    for (std::uint8_t status : {0xC0, 0xDF, 0xF1, 0xF3}) {
        EXPECT_EQ(ShortMessageLength(status), 2u) << int(status);
    }
    for (std::uint8_t status : {0xF6, 0xF8, 0xFA, 0xFE, 0xFF}) {
        EXPECT_EQ(ShortMessageLength(status), 1u) << int(status);
    }
    EXPECT_EQ(ShortMessageLength(0xF0), 0u);
    EXPECT_EQ(ShortMessageLength(0xF7), 0u);
}

TEST(RtMidiPort, ChoosesByNumberThenExactNameThenPartOfAName) {
    const std::vector<std::string> names{"Midi Through:Midi Through Port-0 14:0", "Synth:Synth input 128:0",
                                         "Synth", "Other:Synth 130:0"};
    EXPECT_EQ(ChooseMidiPort(names, "0"), 0u);
    EXPECT_EQ(ChooseMidiPort(names, "3"), 3u);
    EXPECT_EQ(ChooseMidiPort(names, "4"), std::nullopt);
    EXPECT_EQ(ChooseMidiPort(names, "Synth"), 2u);
    EXPECT_EQ(ChooseMidiPort(names, "Synth 130"), 3u);
    EXPECT_EQ(ChooseMidiPort(names, "14:0"), 0u);
    EXPECT_EQ(ChooseMidiPort(names, "Through"), 0u);
    EXPECT_EQ(ChooseMidiPort(names, "synth"), std::nullopt) << "names are matched as written";
    EXPECT_EQ(ChooseMidiPort(names, ""), std::nullopt);
    EXPECT_EQ(ChooseMidiPort({}, "0"), std::nullopt);
    EXPECT_EQ(ChooseMidiPort(names, "-1"), std::nullopt);
}

TEST(RtMidiPort, NothingIsSentBeforeOpen) {
    RtMidiPort port("0");
    EXPECT_EQ(port.sendShort(0x00643C90), PortResult::NotOpen);
    EXPECT_EQ(port.close(), PortResult::NotOpen);
    EXPECT_TRUE(port.longDone());
    EXPECT_EQ(port.portName(), "");
}

TEST(RtMidiPort, APortThatDoesNotExistIsABadDeviceId) {
    RtMidiPort byName("no such port \x7f tonefalls");
    const PortResult result = byName.open();
    if (result == PortResult::NoDevice) {
        GTEST_SKIP() << "no ALSA sequencer on this machine";
    }
    EXPECT_EQ(result, PortResult::NoSuchDevice);
    RtMidiPort byNumber("100000");
    EXPECT_EQ(byNumber.open(), PortResult::NoSuchDevice);
    EXPECT_EQ(byNumber.sendShort(0x00643C90), PortResult::NotOpen);
}

TEST(RtMidiPort, OpensTheFirstPortByNumber) {
    RtMidiPort port("0");
    const PortResult result = port.open();
    if (result == PortResult::NoDevice || result == PortResult::NoSuchDevice) {
        GTEST_SKIP() << "no ALSA sequencer output port on this machine";
    }
    ASSERT_EQ(result, PortResult::Ok);
    EXPECT_NE(port.portName(), "");
    EXPECT_EQ(port.sendShort(0x00007FB0), PortResult::Ok);
    const std::uint8_t sysex[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
    EXPECT_EQ(port.sendLong(sysex), PortResult::Ok);
    EXPECT_EQ(port.close(), PortResult::Ok);
}

} // namespace
} // namespace tf

#include "platform/win32/WinMmMidiInput.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(WinMmMidiInput, OpensTheDevicesItListsByNameAndNothingElse) {
    WinMmMidiInput input;
    int notes = 0;
    input.setNoteHandler([&](const MidiNoteMessage&) { ++notes; });
    EXPECT_EQ(input.open("no such keyboard"), MidiInputOpen::NoSuchPort);
    EXPECT_EQ(input.connectedPort(), "");
    input.close();
    const std::vector<std::string> ports = input.ports();
    if (ports.empty()) {
        GTEST_SKIP() << "no MIDI input device here";
    }
    const MidiInputOpen opened = input.open(ports[0]);
    if (opened != MidiInputOpen::Opened) {
        GTEST_SKIP() << "the first input device did not open here";
    }
    EXPECT_EQ(input.connectedPort(), ports[0]);
    input.close();
    EXPECT_EQ(input.connectedPort(), "");
    input.close();
}

} // namespace
} // namespace tf

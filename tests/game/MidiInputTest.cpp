#include "platform/MidiInput.h"
#include "platform/PortWatcher.h"
#include "platform/ScriptedMidiInput.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace tf {
namespace {

TEST(MidiInput, OnlyWholeNoteMessagesReachTheHandlerAndANoteOnOfVelocityZeroIsANoteOff) {
    ScriptedMidiInput input({"Keys"});
    std::vector<MidiNoteMessage> notes;
    input.setNoteHandler([&](const MidiNoteMessage& note) { notes.push_back(note); });
    EXPECT_FALSE(input.sendNoteOn(0, 60, 100)) << "nothing is connected yet";
    ASSERT_EQ(input.open("Keys"), MidiInputOpen::Opened);

    using Message = std::vector<std::uint8_t>;
    for (const Message& message : std::vector<Message>{
             {0x93, 60, 100}, // note-on, channel 4
             {0x9F, 61, 0},   // note-on of velocity 0: a note-off
             {0x8A, 62, 64},  // note-off
             {0xB0, 64, 127}, // controller
             {0xF8},          // clock
             {0x90, 60},      // cut short
             {0x90, 0x80, 1}, // key byte with the top bit set
             {0x90, 60, 0x80},
             {},
         }) {
        input.send(message);
    }
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_TRUE(notes[0].on);
    EXPECT_EQ(notes[0].channel, 3);
    EXPECT_EQ(notes[0].key, 60);
    EXPECT_EQ(notes[0].velocity, 100);
    EXPECT_FALSE(notes[1].on);
    EXPECT_EQ(notes[1].channel, 15);
    EXPECT_FALSE(notes[2].on);
    EXPECT_EQ(notes[2].velocity, 64);

    EXPECT_EQ(input.open("Other"), MidiInputOpen::NoSuchPort);
    EXPECT_EQ(input.connectedPort(), "") << "a failed open leaves nothing connected";
}

TEST(MidiInput, AnUnpluggedPortEndsInputAndIsReportedOnce) {
    ScriptedMidiInput input({"Keys", "Pads"});
    int lost = 0;
    int notes = 0;
    input.setNoteHandler([&](const MidiNoteMessage&) { ++notes; });
    input.setLostHandler([&] { ++lost; });
    ASSERT_EQ(input.open("Pads"), MidiInputOpen::Opened);
    input.unplug();
    input.unplug();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(input.connectedPort(), "");
    EXPECT_EQ(input.ports(), std::vector<std::string>{"Keys"});
    EXPECT_FALSE(input.sendNoteOn(0, 60, 100));
    EXPECT_EQ(notes, 0);
}

TEST(PortWatcher, CallsLostOnceWhenThePortLeavesTheListAndStopsWhenDestroyed) {
    std::atomic<bool> present{true};
    std::atomic<int> listings{0};
    std::atomic<int> lost{0};
    const auto list = [&] {
        listings.fetch_add(1);
        return present.load() ? std::vector<std::string>{"Other", "Keys"} : std::vector<std::string>{"Other"};
    };
    {
        // Destroyed while the port is still there: no call, and no wait for a whole period.
        PortWatcher idle(
            list, "Keys", [&] { lost.fetch_add(1); }, std::chrono::hours(1));
    }
    EXPECT_EQ(lost.load(), 0);

    PortWatcher watcher(
        list, "Keys", [&] { lost.fetch_add(1); }, std::chrono::milliseconds(1));
    while (listings.load() < 3) {
        std::this_thread::yield();
    }
    present.store(false);
    // Bounded by the test's own timeout; the watcher looks every millisecond.
    while (lost.load() == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const int listed = listings.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(lost.load(), 1);
    EXPECT_EQ(listings.load(), listed) << "the watcher stops looking once the port is gone";
}

} // namespace
} // namespace tf

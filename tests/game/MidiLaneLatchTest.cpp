#include "game/MidiLaneLatch.h"
#include "game/GamePlay.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

namespace tf {
namespace {

using test::SmfBuilder;
using test::TrackBuilder;

/// A game that builds charts of channel 0 from songs made in the test.
struct ChartedGame {
    ManualClock clock;
    test::ScriptedKeys keys;
    CapturePort port{clock};
    NullSurface surface;
    test::RecordingSink sink;
    GamePlay game{clock, keys, port, surface, sink};

    const ChartStorage& build(const SmfBuilder& smf, int level = 2) {
        EXPECT_EQ(game.loadBytes(smf.bytes(), "lanes.mid"), LoadResult::Loaded);
        game.options().setLaneCount(7);
        game.options().setLevel(level);
        EXPECT_EQ(game.buildChart(0x0001), ChartResult::Built);
        return game.chart();
    }
};

TEST(MidiLaneLatch, EachKeyPressesTheLaneItsNotesFallIn) {
    // Eight keys on seven lanes: the builder deals them out two by two, so 60 and 61 share
    // lane 0 and 66 and 67 share lane 3; 59 and 68 have no notes.
    SmfBuilder smf(480);
    TrackBuilder& track = smf.track();
    for (int key = 60; key < 68; ++key) {
        track.noteOn(240, 0, key, 100).noteOff(240, 0, key);
    }
    track.end();
    ChartedGame charted;
    const MidiLaneLatch::KeyLaneTable table = KeyLanes(charted.build(smf));
    EXPECT_EQ(table[60], 0);
    EXPECT_EQ(table[61], 0);
    EXPECT_EQ(table[62], 1);
    EXPECT_EQ(table[67], 3);
    EXPECT_EQ(table[59], -1);
    EXPECT_EQ(table[68], -1);

    MidiLaneLatch latch;
    latch.setKeyLanes(table);
    // Both keys of a shared lane before the frame looks: one press of that lane.
    latch.noteOn(60, 100);
    latch.noteOn(61, 1);
    EXPECT_TRUE(latch.takePress(0));
    EXPECT_FALSE(latch.takePress(0));
    latch.noteOn(67, 127);
    EXPECT_FALSE(latch.takePress(2));
    EXPECT_TRUE(latch.takePress(3));

    // A note-off, a key without notes and keys or lanes outside the tables press nothing.
    latch.noteOn(62, 0);
    latch.noteOn(59, 100);
    latch.noteOn(-1, 100);
    latch.noteOn(128, 100);
    for (int lane = -1; lane <= MidiLaneLatch::laneCount; ++lane) {
        EXPECT_FALSE(latch.takePress(lane)) << lane;
    }
    EXPECT_EQ(latch.laneOf(128), -1);

    // A table entry that is no lane is no lane, and a new table replaces the old one whole.
    MidiLaneLatch::KeyLaneTable odd;
    odd.fill(-1);
    odd[60] = 15;
    odd[61] = 14;
    latch.setKeyLanes(odd);
    latch.noteOn(60, 100);
    latch.noteOn(67, 100);
    latch.noteOn(61, 100);
    EXPECT_EQ(latch.laneOf(60), -1);
    EXPECT_FALSE(latch.takePress(3));
    EXPECT_TRUE(latch.takePress(14));

    latch.noteOn(61, 100);
    latch.clear();
    EXPECT_FALSE(latch.takePress(14));
}

TEST(MidiLaneLatch, AChordMovedIntoOneLaneUnderLevelOneLeavesEachKeyItsOwnLane) {
    // Four keys on seven lanes get lanes 0, 1, 2 and 3. The opening chord goes whole into the
    // lane of 60, which moves the first notes of 64, 67 and 72 into lane 0 as chord followers;
    // 64 and 67 then play alone in their own lanes, 72 never does.
    SmfBuilder smf(480);
    TrackBuilder& track = smf.track();
    track.noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100).noteOn(0, 0, 67, 100).noteOn(0, 0, 72, 100);
    track.noteOff(240, 0, 60).noteOff(0, 0, 64).noteOff(0, 0, 67).noteOff(0, 0, 72);
    track.noteOn(240, 0, 64, 100).noteOff(240, 0, 64).noteOn(0, 0, 67, 100).noteOff(240, 0, 67).end();
    ChartedGame charted;
    const ChartStorage& chart = charted.build(smf, 1);
    ASSERT_TRUE(chart.pitchNotes[64][0].chordFollower());
    ASSERT_EQ(chart.pitchNotes[64][0].lane(), 0);

    const MidiLaneLatch::KeyLaneTable table = KeyLanes(chart);
    EXPECT_EQ(table[60], 0);
    EXPECT_EQ(table[64], 1);
    EXPECT_EQ(table[67], 2);
    // Every note of 72 sounds with the chord, in lane 0; the key still has its own lane.
    EXPECT_EQ(table[72], 3);
}

TEST(MidiLaneLatch, NoteOnsFromAnotherThreadWhileTheTableChangesLandOnlyInMappedLanes) {
    // The input thread plays every key while the window thread swaps between two tables and
    // the play thread takes presses: a press appears only in a lane one of the tables names,
    // and once the input stops, nothing is left that was never played.
    MidiLaneLatch::KeyLaneTable toTwo;
    toTwo.fill(2);
    MidiLaneLatch::KeyLaneTable toFive;
    toFive.fill(-1);
    toFive[64] = 5;
    MidiLaneLatch latch;
    latch.setKeyLanes(toTwo);
    std::atomic<bool> stop{false};
    std::thread keyboard([&] {
        // At least one round whatever the other threads did, so that something was played.
        for (int round = 0; round < 500 && (round == 0 || !stop.load(std::memory_order_acquire)); ++round) {
            for (int key = 0; key < MidiLaneLatch::keyCount; ++key) {
                latch.noteOn(key, 100);
            }
        }
    });
    std::thread window([&] {
        for (int swap = 0; swap < 2000; ++swap) {
            latch.setKeyLanes(swap % 2 == 0 ? toFive : toTwo);
        }
    });
    std::array<int, MidiLaneLatch::laneCount> taken{};
    for (int pass = 0; pass < 20000; ++pass) {
        for (int lane = 0; lane < MidiLaneLatch::laneCount; ++lane) {
            taken[static_cast<std::size_t>(lane)] += latch.takePress(lane) ? 1 : 0;
        }
    }
    window.join();
    stop.store(true, std::memory_order_release);
    keyboard.join();
    for (int lane = 0; lane < MidiLaneLatch::laneCount; ++lane) {
        taken[static_cast<std::size_t>(lane)] += latch.takePress(lane) ? 1 : 0;
        if (lane != 2 && lane != 5) {
            EXPECT_EQ(taken[static_cast<std::size_t>(lane)], 0) << lane;
        }
    }
    // Key 64 has a lane in both tables, so the first round pressed one of the two at least.
    EXPECT_GT(taken[2] + taken[5], 0);
}

} // namespace
} // namespace tf

#include "tests/song/SongRig.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

using test::AllChannels;
using test::Bytes;
using test::SmfBuilder;
using test::SongRig;

using Lines = std::vector<std::string>;

Bytes Song() {
    SmfBuilder smf(480);
    smf.track().noteOn(480, 0, 60, 100).noteOff(480, 0, 60).end();
    smf.track().noteOn(480, 1, 60, 100).end();
    smf.track().end();
    return smf.bytes();
}

TEST(SequencerTransportTest, RewindResetsControllersAndSetsEveryTrackAtItsFirstDelta) {
    SongRig rig;
    rig.load(Song());
    rig.clock.advance(1234);
    rig.sequencer.rewind();
    EXPECT_EQ(rig.log(0), AllChannels(2234, 121));
    EXPECT_EQ(rig.sequencer.songStartTick(), 2234u);
    EXPECT_EQ(rig.sequencer.songTime(), 0u);
    EXPECT_EQ(rig.sequencer.trackCursor(0), 2);
    EXPECT_EQ(rig.sequencer.nextEventTime(0), 480);
    EXPECT_EQ(rig.sequencer.trackCursor(1), 2);
    EXPECT_EQ(rig.sequencer.trackCursor(2), 1);
    EXPECT_EQ(rig.sequencer.nextEventTime(2), 0);
    EXPECT_FALSE(rig.sequencer.paused());
}

TEST(SequencerTransportTest, FirstDeltaCountsNothingWhenATickIsUnderAMillisecond) {
    SmfBuilder smf(960);
    smf.track().noteOn(960, 0, 60, 100).end();
    SongRig rig;
    rig.load(smf.bytes());
    rig.sequencer.rewind();
    EXPECT_EQ(rig.sequencer.nextEventTime(0), 0);
}

TEST(SequencerTransportTest, RewindAfterTheEndPlaysTheSongAgain) {
    SongRig rig;
    rig.load(Song());
    rig.sequencer.rewind();
    rig.pumpUntilStopped(10000);
    ASSERT_TRUE(rig.flags.songFinished);
    EXPECT_EQ(rig.sequencer.endedTrackCount(), 3);

    rig.flags.songFinished = false;
    rig.sequencer.rewind();
    EXPECT_EQ(rig.sequencer.endedTrackCount(), 0);
    rig.port.clear();
    const auto origin = rig.sequencer.songStartTick();
    rig.pumpUntilStopped(10000);
    EXPECT_TRUE(rig.flags.songFinished);
    const Lines log = rig.log(origin);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "5480 90 3C 64");
    EXPECT_EQ(log[1], "5480 91 3C 64");
    EXPECT_EQ(log[2], "5979 80 3C 40");
}

TEST(SequencerTransportTest, PauseWaitsThenSilencesAndResumeSendsNothing) {
    SongRig rig;
    rig.load(Song());
    rig.sequencer.rewind();
    rig.port.clear();
    rig.clock.set(5000);
    rig.sequencer.togglePause();
    EXPECT_TRUE(rig.sequencer.paused());
    EXPECT_EQ(rig.clock.tickCount(), 5100u);
    EXPECT_EQ(rig.log(0), AllChannels(5100, 120));

    rig.port.clear();
    rig.clock.set(8000);
    rig.sequencer.togglePause();
    EXPECT_FALSE(rig.sequencer.paused());
    EXPECT_EQ(rig.clock.tickCount(), 8000u);
    EXPECT_TRUE(rig.port.messages().empty());
    // Song time resumes where the pause began.
    EXPECT_EQ(rig.sequencer.songStartTick(), 1000u + 3000u);
    EXPECT_EQ(rig.sequencer.songTime(), 4000u);
}

TEST(SequencerTransportTest, RewindClearsAPause) {
    SongRig rig;
    rig.load(Song());
    rig.sequencer.rewind();
    rig.sequencer.togglePause();
    ASSERT_FALSE(rig.pump());
    rig.sequencer.rewind();
    EXPECT_FALSE(rig.sequencer.paused());
    EXPECT_TRUE(rig.pump());
}

TEST(SequencerTransportTest, LeadTimeFollowsTheTempoInForce) {
    SongRig rig;
    EXPECT_EQ(rig.sequencer.leadTime(1.0), 5000);
    EXPECT_EQ(rig.sequencer.leadTime(1.5), 3333);
    SmfBuilder smf(480);
    smf.track().tempo(0, 400000).end();
    rig.load(smf.bytes());
    EXPECT_EQ(rig.sequencer.leadTime(1.0), 4000);
    EXPECT_EQ(rig.sequencer.leadTime(3.0), 1333);
}

} // namespace
} // namespace tf

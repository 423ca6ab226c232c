#include "song/PartCensus.h"

#include "tests/song/SongRig.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

using test::Bytes;
using test::SmfBuilder;
using test::SongRig;

using Lines = std::vector<std::string>;

std::int32_t Count(SongRig& rig, int channel) {
    // A cache of its own walks the song afresh.
    PartCensusCache fresh;
    return fresh.countPartNotes(rig.sequencer.song(), rig.device, channel);
}

TEST(PartCensusTest, CountsNoteOnsWithAVelocityInEveryTrack) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 3, 60, 100).noteOn(0, 3, 60, 0).noteOff(10, 3, 60).noteOn(0, 4, 60, 1).end();
    smf.track().noteOn(0, 3, 62, 100).raw({0x00, 0x40, 0x7F, 0x00, 0x41, 0x00}).end(); // running status
    SongRig rig;
    rig.load(smf.bytes());
    EXPECT_EQ(Count(rig, 3), 3);
    EXPECT_EQ(Count(rig, 4), 1);
    EXPECT_EQ(Count(rig, 0), 0);
    EXPECT_EQ(Count(rig, 3), 3); // the same each time
}

TEST(PartCensusTest, ChannelOutsideTheSixteenGivesMinusOneAndSendsNothing) {
    SmfBuilder smf(480);
    smf.track().program(0, 0, 5).noteOn(0, 0, 60, 100).end();
    SongRig rig;
    rig.load(smf.bytes());
    EXPECT_EQ(Count(rig, 16), -1);
    EXPECT_EQ(Count(rig, -1), -1);
    EXPECT_TRUE(rig.port.messages().empty());
}

TEST(PartCensusTest, SongWithNoTracksCountsNothingAndSendsNothing) {
    SongRig rig;
    rig.load(SmfBuilder(480).bytes());
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(Count(rig, ch), 0);
    }
    EXPECT_TRUE(rig.port.messages().empty());
}

TEST(PartCensusTest, PassesOnProgramChangesAndPressuresOfEveryChannelInWalkOrder) {
    SmfBuilder smf(480);
    smf.track().program(0, 0, 5).event(0, {0xD0, 0x40}).raw({0x00, 0x20}).end(); // D0 again by running status
    smf.track().program(0, 1, 9).program(1000, 1, 10).end();
    smf.track().control(0, 2, 7, 100).event(0, {0xE2, 0, 64}).event(0, {0xA2, 60, 1}).end();
    SongRig rig;
    rig.load(smf.bytes());
    EXPECT_EQ(Count(rig, 9), 0);
    // One event per track per pass: the tracks interleave by event count, not by time.
    EXPECT_EQ(rig.log(rig.clock.tickCount()),
              (Lines{"0 C0 05 00", "0 C1 09 00", "0 D0 40 00", "0 C1 0A 00", "0 D0 20 00"}));
}

TEST(PartCensusTest, WalkDoesNotTouchThePlaybackState) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).noteOff(480, 0, 60).end();
    SongRig rig;
    rig.load(smf.bytes());
    rig.sequencer.rewind();
    rig.clock.advance(5000);
    rig.pump();
    const auto cursor = rig.sequencer.trackCursor(0);
    const auto next = rig.sequencer.nextEventTime(0);
    EXPECT_EQ(Count(rig, 0), 1);
    EXPECT_EQ(rig.sequencer.trackCursor(0), cursor);
    EXPECT_EQ(rig.sequencer.nextEventTime(0), next);
    EXPECT_EQ(rig.sequencer.endedTrackCount(), 0);
}

TEST(PartCensusTest, MalformedBytesAreNeitherCountedNorSent) {
    SmfBuilder smf(480);
    smf.track()
        .raw({0x00, 0x3C})                                   // a data byte before any status
        .raw({0x00, 0xF4, 0x00, 0x3C})                       // a stray status, then a data byte under it
        .raw({0x00, 0x90, 0x3C, 0x80})                       // a note with a data byte of 80
        .raw({0x00, 0xC0, 0x85})                             // a program of 85
        .raw({0x00, 0xF0, 0x80, 0x80, 0x80});                // a length cut short by the end of the data
    smf.track().noteOn(0, 0, 60, 100).noteOn(0, 0, 61, 100); // no end of track
    SongRig rig;
    rig.load(smf.bytes());
    EXPECT_EQ(Count(rig, 0), 2);
    EXPECT_TRUE(rig.port.messages().empty());
}

TEST(PartCensusTest, HeaderClaimingMoreTracksThanTheFileHolds) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).end();
    smf.declaredTracks(65535);
    SongRig rig;
    rig.load(smf.bytes());
    EXPECT_EQ(Count(rig, 0), 1);
}

TEST(PartCensusTest, CacheWalksOnceAndSendsTheSameMessagesOnEveryCall) {
    SmfBuilder smf(480);
    smf.track().program(0, 0, 5).noteOn(0, 3, 60, 100).event(0, {0xD1, 0x40}).end();
    smf.track().noteOn(0, 3, 62, 100).program(0, 2, 7).noteOn(0, 4, 60, 1).end();
    SongRig rig;
    rig.load(smf.bytes());
    const std::uint32_t origin = rig.clock.tickCount();
    const Lines once{"0 C0 05 00", "0 C2 07 00", "0 D1 40 00"};

    PartCensusCache cache;
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 3), 2);
    EXPECT_EQ(rig.log(origin), once);
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 3), 2);
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 4), 1);
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 16), -1);
    Lines thrice = once;
    thrice.insert(thrice.end(), once.begin(), once.end());
    thrice.insert(thrice.end(), once.begin(), once.end());
    EXPECT_EQ(rig.log(origin), thrice);

    // Every channel as a walk of its own would count it, with the same messages each time.
    for (int channel = 0; channel < 16; ++channel) {
        rig.port.clear();
        const std::int32_t cached = cache.countPartNotes(rig.sequencer.song(), rig.device, channel);
        const Lines cachedLog = rig.log(origin);
        rig.port.clear();
        EXPECT_EQ(cached, Count(rig, channel)) << "channel " << channel;
        EXPECT_EQ(cachedLog, rig.log(origin)) << "channel " << channel;
    }
}

TEST(PartCensusTest, CacheStartsAfreshAfterALoadOrARelease) {
    SmfBuilder first(480);
    first.track().program(0, 0, 5).noteOn(0, 3, 60, 100).noteOn(0, 3, 61, 100).end();
    SmfBuilder second(480);
    second.track().program(0, 1, 9).noteOn(0, 3, 60, 100).end();
    SongRig rig;
    rig.load(first.bytes());
    const std::uint32_t origin = rig.clock.tickCount();
    PartCensusCache cache;
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 3), 2);

    ASSERT_EQ(rig.sequencer.loadBytes(second.bytes(), "other.mid"), LoadResult::Loaded);
    rig.port.clear();
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 3), 1);
    EXPECT_EQ(rig.log(origin), (Lines{"0 C1 09 00"}));

    // Loading the song already loaded keeps it, and the census with it.
    ASSERT_EQ(rig.sequencer.loadBytes(first.bytes(), "other.mid"), LoadResult::Loaded);
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 3), 1);

    rig.sequencer.releaseSong();
    rig.port.clear();
    EXPECT_EQ(cache.countPartNotes(rig.sequencer.song(), rig.device, 3), 0);
    EXPECT_TRUE(rig.port.messages().empty());
}

} // namespace
} // namespace tf

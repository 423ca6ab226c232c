#include "tests/song/SongRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tf {
namespace {

using test::AllChannels;
using test::Bytes;
using test::SmfBuilder;
using test::SongRig;

using Lines = std::vector<std::string>;

Lines Concat(std::initializer_list<Lines> parts) {
    Lines out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// A note on at tick 0 and its note off a quarter note later, on channel 0.
Bytes QuarterNote(int division = 480) {
    SmfBuilder smf(division);
    smf.track().noteOn(0, 0, 60, 100).noteOff(480, 0, 60).end();
    return smf.bytes();
}

/// Loads, rewinds, forgets the rewind's resets and returns the song's start tick.
std::uint32_t Start(SongRig& rig, const Bytes& song) {
    rig.load(song);
    rig.sequencer.rewind();
    rig.port.clear();
    return rig.sequencer.songStartTick();
}

TEST(SequencerPumpTest, EventsAtTickZeroWaitForTheLeadTime) {
    for (const auto& [speed, lead] : {std::pair{1.0, 5000u}, std::pair{2.0, 2500u}, std::pair{3.0, 1666u}}) {
        SongRig rig;
        rig.speed = speed;
        const auto origin = Start(rig, QuarterNote());
        rig.clock.advance(lead - 1);
        EXPECT_TRUE(rig.pump());
        EXPECT_TRUE(rig.port.messages().empty()) << speed;
        rig.clock.advance(1);
        EXPECT_TRUE(rig.pump());
        EXPECT_EQ(rig.log(origin), (Lines{std::to_string(lead) + " 90 3C 64"}));
    }
}

TEST(SequencerPumpTest, QuarterNoteLaterDeltaCountsFourHundredNinetyNine) {
    SongRig rig;
    const auto origin = Start(rig, QuarterNote());
    rig.pumpUntilStopped(5600);
    const Lines log = rig.log(origin);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "5000 90 3C 64");
    EXPECT_EQ(log[1], "5499 80 3C 40");
}

TEST(SequencerPumpTest, FirstDeltaUsesTheWholeMillisecondFactor) {
    SmfBuilder smf(480);
    smf.track().noteOn(480, 0, 60, 100).end();
    SongRig rig;
    const auto origin = Start(rig, smf.bytes());
    EXPECT_EQ(rig.sequencer.nextEventTime(0), 480);
    rig.pumpUntilStopped(5600);
    EXPECT_EQ(rig.log(origin).front(), "5480 90 3C 64");
}

TEST(SequencerPumpTest, EndOfSongWaitsThenSilencesEveryChannel) {
    SongRig rig;
    const auto origin = Start(rig, QuarterNote());
    rig.clock.advance(5499);
    EXPECT_TRUE(rig.pump()); // note on
    EXPECT_TRUE(rig.pump()); // note off
    EXPECT_FALSE(rig.flags.songFinished);
    EXPECT_FALSE(rig.pump()); // end of track, delta 0
    EXPECT_TRUE(rig.flags.songFinished);
    EXPECT_EQ(rig.log(origin), Concat({{"5499 90 3C 64", "5499 80 3C 40"}, AllChannels(5999, 120)}));
    // Later passes find everything ended and send nothing.
    rig.port.clear();
    rig.clock.advance(100);
    EXPECT_TRUE(rig.pump());
    EXPECT_TRUE(rig.port.messages().empty());
    EXPECT_EQ(rig.sequencer.endedTrackCount(), 1);
}

// A game whose frames run on through the end: the pass that meets the last End of Track neither
// waits nor ends the song, and the passes after it send nothing until, 500 ms on, one finds no note
// pending: that pass ends the song as the waiting one would have.
TEST(SequencerPumpTest, GameHeldForItsFramesEndsOnceNoNoteIsPending) {
    SongRig rig;
    rig.framesRunThroughEnd = true;
    const auto origin = Start(rig, QuarterNote());
    rig.clock.advance(5499);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_TRUE(rig.pump()); // note on, note off, end of track
    }
    EXPECT_EQ(rig.sequencer.songTime(), 5499u);
    rig.clock.advance(499);
    EXPECT_TRUE(rig.pump());
    rig.notesPending = true;
    rig.clock.advance(1);
    EXPECT_TRUE(rig.pump());
    EXPECT_FALSE(rig.flags.songFinished);
    rig.notesPending = false;
    rig.clock.advance(1);
    EXPECT_FALSE(rig.pump());
    EXPECT_TRUE(rig.flags.songFinished);
    EXPECT_EQ(rig.log(origin), Concat({{"5499 90 3C 64", "5499 80 3C 40"}, AllChannels(6000, 120)}));
    rig.port.clear();
    rig.clock.advance(100);
    EXPECT_TRUE(rig.pump());
    EXPECT_TRUE(rig.port.messages().empty());
}

// Notes whose times wrapped would hold a song for days: none is waited for longer than the
// longest fall (167772 ms) and its windows (450 ms).
TEST(SequencerPumpTest, GameHeldForItsFramesEndsAfterTheLongestFallWhateverIsPending) {
    SongRig rig;
    rig.framesRunThroughEnd = true;
    rig.notesPending = true;
    const auto origin = Start(rig, QuarterNote());
    rig.clock.advance(5499);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_TRUE(rig.pump());
    }
    rig.clock.advance(168221);
    EXPECT_TRUE(rig.pump());
    rig.clock.advance(1);
    EXPECT_FALSE(rig.pump());
    EXPECT_EQ(rig.log(origin), Concat({{"5499 90 3C 64", "5499 80 3C 40"}, AllChannels(5499 + 168222, 120)}));
}

TEST(SequencerPumpTest, RewindDuringTheHoldPlaysTheSongAfresh) {
    SongRig rig;
    rig.framesRunThroughEnd = true;
    Start(rig, QuarterNote());
    rig.clock.advance(5499);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_TRUE(rig.pump());
    }
    rig.sequencer.rewind();
    rig.port.clear();
    rig.clock.advance(1000);
    EXPECT_TRUE(rig.pump());
    EXPECT_TRUE(rig.port.messages().empty());
    EXPECT_FALSE(rig.flags.songFinished);
}

TEST(SequencerPumpTest, PlayersPartIsLeftToThePlayerUnlessAutoPlay) {
    SmfBuilder smf(480);
    smf.track()
        .program(0, 2, 7)
        .control(0, 2, 7, 90)
        .event(0, {0xE2, 0x00, 0x50})
        .event(0, {0xA2, 0x3C, 0x10})
        .event(0, {0xD2, 0x20})
        .noteOn(0, 2, 60, 100)
        .noteOff(10, 2, 60)
        .noteOn(0, 3, 62, 100)
        .end();
    for (bool autoPlay : {false, true}) {
        SongRig rig;
        rig.sounded[2] = false;
        rig.autoPlay = autoPlay;
        const auto origin = Start(rig, smf.bytes());
        rig.pumpUntilStopped(6000);
        Lines expected{"5000 C2 07 00", "5000 B2 07 5A", "5000 E2 00 50", "5000 A2 3C 10", "5000 D2 20 00"};
        if (autoPlay) {
            expected.push_back("5000 92 3C 64");
            expected.push_back("5010 82 3C 40");
        }
        expected.push_back("5010 93 3E 64");
        const Lines log = rig.log(origin);
        ASSERT_GE(log.size(), expected.size());
        EXPECT_EQ(Lines(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected)
            << autoPlay;
        EXPECT_TRUE(rig.flags.songFinished);
    }
}

TEST(SequencerPumpTest, VelocityZeroNoteOnFollowsTheNoteRule) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 1, 60, 0).end();
    SongRig rig;
    rig.sounded[1] = false;
    const auto origin = Start(rig, smf.bytes());
    rig.clock.advance(5000);
    rig.pump();
    EXPECT_TRUE(rig.log(origin).empty());
}

TEST(SequencerPumpTest, TwoEventsOfOneTrackAtOneTickGoOutInSuccessivePasses) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100).end();
    SongRig rig;
    Start(rig, smf.bytes());
    rig.clock.advance(5000);
    rig.pump();
    EXPECT_EQ(rig.port.messages().size(), 1u);
    rig.pump();
    EXPECT_EQ(rig.port.messages().size(), 2u);
}

TEST(SequencerPumpTest, RunningStatusAndInvalidDataBytes) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).raw({0x00, 0x40, 0x64}).raw({0x00, 0x90, 0x3C, 0x80}).end();
    SongRig rig;
    const auto origin = Start(rig, smf.bytes());
    rig.pumpUntilStopped(6000);
    // The note with a data byte of 80 is stepped over, not sent.
    EXPECT_EQ(rig.log(origin), Concat({{"5000 90 3C 64", "5000 90 40 64"}, AllChannels(5500, 120)}));
}

TEST(SequencerPumpTest, SystemExclusiveGoesOutWithItsF0AndTheSlotIsReleased) {
    SmfBuilder smf(480);
    smf.track().sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).raw({0x00, 0xF7, 0x02, 0x01, 0x02}).end();
    SongRig rig;
    const auto origin = Start(rig, smf.bytes());
    rig.clock.advance(5000);
    rig.pump();
    EXPECT_TRUE(rig.device.longMessage().empty());
    rig.pump();
    EXPECT_EQ(rig.log(origin), (Lines{"5000 F0 7E 7F 09 01 F7", "5000 01 02"}));
    const auto sent = rig.port.messages();
    EXPECT_TRUE(sent[0].isLong);
    EXPECT_TRUE(sent[1].isLong);
}

TEST(SequencerPumpTest, EveryNoteSoundsWhenNoPartIsChosen) {
    SmfBuilder smf(480);
    for (int ch = 0; ch < 16; ++ch) {
        smf.track().noteOn(0, ch, 60, 100).end();
    }
    SongRig rig;
    Start(rig, smf.bytes());
    rig.pumpUntilStopped(6000);
    const auto sent = rig.port.messages();
    EXPECT_EQ(
        std::count_if(sent.begin(), sent.end(), [](const auto& m) { return (m.bytes[0] & 0xF0) == 0x90; }),
        16);
}

TEST(SequencerPumpTest, TempoEventChangesTheLeadTimeOfEveryTrackAndLaterDeltas) {
    SmfBuilder smf(480);
    smf.track().tempo(0, 250000).end();
    smf.track().noteOn(0, 0, 60, 100).noteOn(480, 0, 62, 100).end();
    SongRig rig;
    const auto origin = Start(rig, smf.bytes());
    EXPECT_EQ(rig.sequencer.tempo(), 250000); // from the scan
    EXPECT_EQ(rig.sequencer.leadTime(1.0), 2500);
    rig.pumpUntilStopped(4000);
    // 480 ticks at 250000 us: trunc(249.9998) = 249 ms.
    EXPECT_EQ(rig.log(origin), Concat({{"2500 90 3C 64", "2749 90 3E 64"}, AllChannels(3249, 120)}));
}

TEST(SequencerPumpTest, TempoMetMidSongMovesEveryTracksLeadAtOnce) {
    SmfBuilder smf(480);
    smf.track().tempo(0, 500000).tempo(480, 1000000).end();
    smf.track().noteOn(960, 1, 60, 100).end();
    SongRig rig;
    const auto origin = Start(rig, smf.bytes());
    EXPECT_EQ(rig.sequencer.nextEventTime(1), 960);
    rig.pumpUntilStopped(20000);
    // The tempo event at 499 ms + 5000 lifts the lead to 10000: the note at 960 ms waits for 10960.
    const Lines log = rig.log(origin);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "10960 91 3C 64");
    EXPECT_EQ(rig.sequencer.tempo(), 1000000);
}

TEST(SequencerPumpTest, AfterASongWithTempoChangesRewindUsesTheLastTempo) {
    SmfBuilder smf(480);
    smf.track().tempo(0, 500000).tempo(0, 1000000).noteOn(0, 0, 60, 100).end();
    smf.track().noteOn(480, 1, 60, 100).end();
    SongRig rig;
    Start(rig, smf.bytes());
    rig.pumpUntilStopped(30000);
    ASSERT_TRUE(rig.flags.songFinished);
    rig.sequencer.rewind();
    EXPECT_EQ(rig.sequencer.tempo(), 1000000);
    EXPECT_EQ(rig.sequencer.leadTime(1.0), 10000);
    EXPECT_EQ(rig.sequencer.nextEventTime(1), 960); // 2 ms a tick at the last tempo
}

TEST(SequencerPumpTest, SongWithNoTracksNeverEnds) {
    SongRig rig;
    Start(rig, test::SmfBuilder(480).bytes());
    ASSERT_EQ(rig.sequencer.song().trackCount(), 0);
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(rig.pump());
        rig.clock.advance(1000);
    }
    EXPECT_FALSE(rig.flags.songFinished);
    EXPECT_TRUE(rig.port.messages().empty());
}

TEST(SequencerPumpTest, MissingTracksCountAsEndedAtTheFirstPass) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).end();
    smf.declaredTracks(3);
    SongRig rig;
    Start(rig, smf.bytes());
    rig.pump();
    EXPECT_EQ(rig.sequencer.endedTrackCount(), 2);
    rig.clock.advance(5000);
    rig.pump();
    EXPECT_FALSE(rig.pump());
    EXPECT_TRUE(rig.flags.songFinished);
}

TEST(SequencerPumpTest, TrackWithoutEndOfTrackEndsAtItsLastByte) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).noteOff(10, 0, 60);
    SongRig rig;
    Start(rig, smf.bytes());
    const int passes = rig.pumpUntilStopped(10000);
    EXPECT_LT(passes, 10000);
    EXPECT_TRUE(rig.flags.songFinished);
}

TEST(SequencerPumpTest, PausedPumpSendsNothing) {
    SongRig rig;
    Start(rig, QuarterNote());
    rig.sequencer.togglePause();
    rig.port.clear();
    rig.clock.advance(10000);
    EXPECT_FALSE(rig.pump());
    EXPECT_TRUE(rig.port.messages().empty());
}

TEST(SequencerPumpTest, PauseOfThreeSecondsLosesAndRepeatsNothing) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).noteOn(480, 0, 62, 100).noteOn(480, 0, 64, 100).end();
    SongRig rig;
    const auto origin = Start(rig, smf.bytes());
    rig.pumpUntilStopped(5200);
    rig.sequencer.togglePause(); // at song time 5200, sleeps 100 ms
    EXPECT_FALSE(rig.pump());
    rig.clock.advance(2900);
    rig.sequencer.togglePause();
    EXPECT_EQ(rig.sequencer.songStartTick(), origin + 3000);
    EXPECT_EQ(rig.sequencer.songTime(), 5200u);
    rig.pumpUntilStopped(2000);
    std::vector<std::pair<std::uint32_t, std::uint8_t>> notes;
    for (const auto& m : rig.port.messages()) {
        if (m.bytes[0] == 0x90) {
            notes.emplace_back(m.tick - rig.sequencer.songStartTick(), m.bytes[1]);
        }
    }
    EXPECT_EQ(notes,
              (std::vector<std::pair<std::uint32_t, std::uint8_t>>{{2000, 60}, {5499, 62}, {5998, 64}}));
}

TEST(SequencerPumpTest, PreviewSkipsToTheFirstNoteOfItsChannelThenPlaysInRealTime) {
    SmfBuilder smf(480);
    smf.track().program(0, 0, 1).noteOn(0, 0, 48, 90).noteOff(960, 0, 48).end();
    smf.track().program(0, 2, 3).noteOn(1920, 2, 60, 100).noteOff(480, 2, 60).end();
    SongRig rig;
    rig.autoPlay = true; // plays no part in a preview
    rig.load(smf.bytes());
    rig.sounded.fill(false);
    rig.sounded[2] = true;
    rig.flags.previewWaiting = true;
    rig.sequencer.rewind();
    rig.port.clear();
    const auto start = rig.sequencer.songStartTick();

    // Without any time passing, passes run until the chosen channel's first note.
    int passes = 0;
    while (rig.flags.previewWaiting && passes < 100) {
        ASSERT_TRUE(rig.pump(true));
        ++passes;
    }
    ASSERT_FALSE(rig.flags.previewWaiting);
    EXPECT_EQ(rig.sequencer.songStartTick(), start - 5000);
    // The note's track restarts its clock at 0; the other track keeps its song time.
    EXPECT_EQ(rig.sequencer.nextEventTime(1), 499);
    EXPECT_EQ(rig.sequencer.nextEventTime(0), 999);
    const Lines log = rig.log(start);
    EXPECT_EQ(log, (Lines{"0 C0 01 00", "0 C2 03 00", "0 92 3C 64"}));

    rig.port.clear();
    rig.pumpUntilStopped(2000, true);
    EXPECT_TRUE(rig.flags.songFinished);
    const Lines rest = rig.log(rig.sequencer.songStartTick());
    // The note off sounds 499 ms after the note on; channel 0's notes never do.
    EXPECT_EQ(rest.front(), "5499 82 3C 40");
    EXPECT_EQ(std::count_if(rest.begin(), rest.end(),
                            [](const std::string& l) { return l.find(" 80 ") != l.npos; }),
              0);
}

TEST(SequencerPumpTest, PreviewOfAChannelWithoutNotesRunsThroughTheSongAndEndsIt) {
    SmfBuilder smf(480);
    smf.track().program(0, 0, 1).noteOn(0, 0, 48, 90).noteOff(100000, 0, 48).end();
    SongRig rig;
    rig.load(smf.bytes());
    rig.sounded.fill(false);
    rig.sounded[5] = true;
    rig.flags.previewWaiting = true;
    rig.sequencer.rewind();
    rig.port.clear();
    const auto before = rig.clock.tickCount();
    EXPECT_TRUE(rig.pump(true));
    EXPECT_TRUE(rig.pump(true));
    EXPECT_TRUE(rig.pump(true));
    EXPECT_FALSE(rig.pump(true));
    EXPECT_TRUE(rig.flags.songFinished);
    EXPECT_TRUE(rig.flags.previewWaiting);
    EXPECT_EQ(rig.clock.tickCount(), before + 500);
    EXPECT_EQ(rig.log(before), Concat({{"0 C0 01 00"}, AllChannels(500, 120)}));
}

TEST(SequencerPumpTest, InGameModeAStalePreviewFlagPlaysNoPart) {
    SongRig rig;
    rig.flags.previewWaiting = true;
    const auto origin = Start(rig, QuarterNote());
    rig.clock.advance(4999);
    rig.pump();
    EXPECT_TRUE(rig.port.messages().empty());
    rig.clock.advance(1);
    rig.pump();
    EXPECT_EQ(rig.log(origin), (Lines{"5000 90 3C 64"}));
    EXPECT_TRUE(rig.flags.previewWaiting);
}

TEST(SequencerPumpTest, DueTestComparesUnsignedAcrossTheTickWrap) {
    SongRig rig(0xFFFFFF00u);
    const auto origin = Start(rig, QuarterNote());
    rig.pumpUntilStopped(5600);
    EXPECT_EQ(rig.log(origin)[1], "5499 80 3C 40");
}

} // namespace
} // namespace tf

#include "game/GamePlay.h"
#include "game/Judgement.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/ChartWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tf {
namespace {

using Bytes = std::vector<std::uint8_t>;

/// A game on a manual clock whose chart each test writes directly, note by note.
class PlayFrameTest : public ::testing::Test {
protected:
    PlayFrameTest() : port(clock), game(clock, keys, port, surface, sink) {}

    /// Starts a run and forgets what the reset itself sent, drew and queried.
    void start() {
        game.resetForPlay();
        port.clear();
        surface.calls.clear();
        keys.queries.clear();
    }

    void frameAt(std::uint32_t t) {
        clock.set(game.sequencer().songStartTick() + t);
        game.playFrame();
    }
    void pressAt(int lane, std::uint32_t t) {
        keys.press(game.keyBindings().primaryKey(lane));
        frameAt(t);
    }

    /// The messages sent since the last `port.clear()`, as bytes.
    std::vector<Bytes> sent() const {
        std::vector<Bytes> out;
        for (const auto& message : port.messages()) {
            out.push_back(message.bytes);
        }
        return out;
    }
    std::vector<int> tally() {
        const JudgeTally& t = game.tally();
        return {t.perfect(), t.great(), t.good(), t.ok(), t.bad()};
    }

    ManualClock clock{50000};
    test::ScriptedKeys keys;
    CapturePort port;
    test::RecordingSurface surface;
    test::RecordingSink sink;
    GamePlay game;
    test::ChartWriter writer{game.chart()};
};

Bytes On(int pitch) {
    return {0x90, static_cast<std::uint8_t>(pitch), 100};
}
Bytes Off(int pitch) {
    return {0x80, static_cast<std::uint8_t>(pitch), 64};
}

struct WindowCase {
    std::int32_t offset; ///< press time minus hit time, ms
    Judgement expected;
};

class JudgementWindowTest : public PlayFrameTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(JudgementWindowTest, PressIsJudgedByItsDistanceFromTheHitTime) {
    const auto [offset, expected] = GetParam();
    writer.add(0, 60, 1000, 6000);
    writer.add(0, 62, 30000, 35000); // far enough never to be chosen
    start();
    frameAt(5000);
    port.clear();

    pressAt(0, static_cast<std::uint32_t>(6000 + offset));

    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
    EXPECT_EQ(game.session().judgeDisplay().current(), expected);
    EXPECT_EQ(game.session().judgeDisplay().combo(), expected <= Good ? 1 : 0);
    std::vector<int> want(5, 0);
    want[static_cast<std::size_t>(expected)] += 1;
    if (offset > 150) {
        want[Bad] += 1; // the note pass gave it up as missed before the press was read
    }
    EXPECT_EQ(tally(), want);
}

INSTANTIATE_TEST_SUITE_P(Windows, JudgementWindowTest,
                         ::testing::Values(WindowCase{0, Perfect}, WindowCase{-10, Perfect},
                                           WindowCase{10, Perfect}, WindowCase{-11, Great},
                                           WindowCase{11, Great}, WindowCase{-50, Great},
                                           WindowCase{50, Great}, WindowCase{-51, Good}, WindowCase{51, Good},
                                           WindowCase{-100, Good}, WindowCase{100, Good},
                                           WindowCase{-101, Ok}, WindowCase{101, Ok}, WindowCase{-150, Ok},
                                           WindowCase{150, Ok}, WindowCase{-151, Bad}, WindowCase{151, Bad}));

TEST_F(PlayFrameTest, ChoosingTheEntryOfAPress) {
    writer.add(0, 60, 1000, 6000);
    writer.add(0, 62, 1200, 6200);
    writer.add(1, 64, 1000, 6000);
    writer.add(1, 65, 3000, 8000);
    start();
    frameAt(5000);
    port.clear();

    // Halfway between two notes the note still to come is played.
    pressAt(0, 6100);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(62)});
    EXPECT_EQ(game.session().judgeDisplay().current(), Good);
    EXPECT_TRUE(game.chart().pitchNotes[62][0].judged());
    EXPECT_FALSE(game.chart().pitchNotes[60][0].judged());

    // A note just past the line is nearer than the next one: the passed note is judged.
    port.clear();
    pressAt(1, 6130);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(64)});
    EXPECT_EQ(game.session().judgeDisplay().current(), Ok);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 1, 1, 0}));
}

TEST_F(PlayFrameTest, OneMillisecondNearerDecidesForThePassedNote) {
    writer.add(0, 60, 1000, 6000);
    writer.add(0, 62, 1200, 6200);
    start();
    frameAt(5000);
    port.clear();
    pressAt(0, 6099);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
    EXPECT_EQ(game.session().judgeDisplay().current(), Good);
}

TEST_F(PlayFrameTest, PressBeforeANoteAppearsSoundsItUnjudged) {
    Note& note = writer.add(0, 60, 1000, 6000);
    start();

    pressAt(0, 500);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_FALSE(game.session().judgeDisplay().displayTimer().armed());
    EXPECT_TRUE(note.judged());

    // At its appear time the note has not appeared yet; one millisecond later it is judged.
    pressAt(0, 1000);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));
    pressAt(0, 1001);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));

    // Sounded early, it is never given up as missed.
    for (std::uint32_t t : {5000u, 6100u, 6151u, 7000u}) {
        frameAt(t);
    }
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
}

class FirstNoteOffsetTest : public PlayFrameTest, public ::testing::WithParamInterface<std::int32_t> {};

// A note that appears as the song starts, pressed exactly at its hit moved by the offset: an
// offset below zero must not take it for a note still to appear, nor one above zero, whose press
// comes after the lane's only note has passed the line, for a replay.
TEST_P(FirstNoteOffsetTest, IsJudgedAtEveryOffset) {
    const std::int32_t offset = GetParam();
    game.options().setJudgeOffset(offset);
    writer.add(0, 60, 0, 5000);
    start();
    frameAt(0);
    frameAt(4000);
    pressAt(0, static_cast<std::uint32_t>(5000 + offset));
    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
    frameAt(6000);
    EXPECT_EQ(tally(), (std::vector<int>{1, 0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Offsets, FirstNoteOffsetTest, ::testing::Values(-300, -1, 0, 1, 300));

TEST_F(PlayFrameTest, NoteWithoutALaneSoundsButIsNotJudged) {
    Note& note = writer.add(0, 60, 1000, 6000);
    note.setLane(-1);
    start();
    pressAt(0, 5990);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(PlayFrameTest, MissedNoteCountsOnceAndAgainWhenPressedLater) {
    Note& note = writer.add(0, 60, 1000, 6000);
    writer.add(0, 62, 15000, 20000);
    start();
    frameAt(5000);
    frameAt(6150);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));

    game.session().judgeDisplay().addCombo();
    frameAt(6151);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
    EXPECT_TRUE(note.judged());
    EXPECT_EQ(game.session().judgeDisplay().current(), Bad);
    EXPECT_EQ(game.session().judgeDisplay().combo(), 0);
    EXPECT_TRUE(game.session().judgeDisplay().displayTimer().armed());

    frameAt(6152);
    frameAt(7000);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
    EXPECT_TRUE(sent().empty());

    pressAt(0, 7000);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 2}));
}

TEST_F(PlayFrameTest, EveryPressOnTheSameNoteIsJudgedAndSounded) {
    writer.add(0, 60, 1000, 6000);
    start();
    pressAt(0, 5990);
    pressAt(0, 5995);
    EXPECT_EQ(sent(), (std::vector<Bytes>{On(60), On(60)}));
    EXPECT_EQ(tally(), (std::vector<int>{2, 0, 0, 0, 0}));
    EXPECT_EQ(game.session().judgeDisplay().combo(), 2);
}

TEST_F(PlayFrameTest, PressOnAnEmptyLaneOnlyLightsIt) {
    writer.add(0, 60, 1000, 6000);
    start();
    pressAt(3, 5000);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(game.session().laneFlashTimer(3).armed());
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));
}

// Once every note of a lane has passed the line, a press is still judged against the lane's last
// chord while it is within the windows, as a press just after any other note is; later it replays
// the chord unjudged.
TEST_F(PlayFrameTest, PressAfterTheLastNoteIsJudgedWithinTheWindowsThenReplays) {
    writer.add(0, 60, 1000, 6000, {.chordFollows = true});
    writer.add(0, 64, 1000, 6000, {.chordFollower = true});
    writer.add(0, 67, 2000, 7000, {.chordFollows = true});
    writer.add(0, 72, 2000, 7000, {.chordFollower = true});
    start();
    frameAt(5000);
    frameAt(7001);
    ASSERT_EQ(game.chart().laneCursor[0], 4);
    ASSERT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1})); // the first chord, missed
    port.clear();

    pressAt(0, 7017);
    EXPECT_EQ(sent(), (std::vector<Bytes>{On(67), On(72)}));
    EXPECT_EQ(tally(), (std::vector<int>{0, 1, 0, 0, 1}));

    port.clear();
    pressAt(0, 7151);
    EXPECT_EQ(sent(), (std::vector<Bytes>{On(67), On(72)}));
    EXPECT_EQ(tally(), (std::vector<int>{0, 1, 0, 0, 1}));
}

TEST_F(PlayFrameTest, ReplayOfTheFirstEntrySoundsNothing) {
    writer.add(0, 60, 1000, 6000, {.chordFollows = true});
    writer.add(0, 64, 1000, 6000, {.chordFollower = true});
    start();
    frameAt(5000);
    frameAt(8000);
    port.clear();
    pressAt(0, 8001);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(game.session().laneFlashTimer(0).armed());
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
}

TEST_F(PlayFrameTest, OnePressSoundsTheWholeChord) {
    Note& leader = writer.add(0, 60, 1000, 6000, {.chordFollows = true});
    Note& middle = writer.add(0, 64, 1000, 6000, {.chordFollows = true, .chordFollower = true});
    Note& last = writer.add(0, 67, 1000, 6000, {.chordFollower = true});
    writer.add(0, 72, 2000, 7000);
    start();
    frameAt(5000);
    port.clear();
    // The chord has just passed: the press steps back over both followers to the leader.
    pressAt(0, 6005);
    EXPECT_EQ(game.chart().laneCursor[0], 3);
    EXPECT_EQ(sent(), (std::vector<Bytes>{On(60), On(64), On(67)}));
    EXPECT_TRUE(leader.judged() && middle.judged() && last.judged());
    EXPECT_EQ(tally(), (std::vector<int>{1, 0, 0, 0, 0}));

    // Followers are never counted on their own.
    frameAt(6300);
    EXPECT_EQ(tally(), (std::vector<int>{1, 0, 0, 0, 0}));
}

TEST_F(PlayFrameTest, UnplayedChordIsOneMiss) {
    writer.add(0, 60, 1000, 6000, {.chordFollows = true});
    writer.add(0, 64, 1000, 6000, {.chordFollower = true});
    start();
    frameAt(5000);
    frameAt(6151);
    frameAt(6500);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
}

TEST_F(PlayFrameTest, SoundedNoteIsSilencedItsLengthLater) {
    Note& note = writer.add(0, 60, 1000, 6000, {.length = 300});
    start();
    pressAt(0, 5990);
    EXPECT_EQ(note.noteOffDue(), 6290u);
    port.clear();
    frameAt(6289);
    EXPECT_TRUE(sent().empty());
    frameAt(6290);
    EXPECT_EQ(sent(), std::vector<Bytes>{Off(60)});
    EXPECT_EQ(note.noteOffDue(), 0u);
    frameAt(7000);
    EXPECT_EQ(sent(), std::vector<Bytes>{Off(60)});
}

TEST_F(PlayFrameTest, NoteThatNothingClosedSendsNoNoteOff) {
    Note& note = writer.add(0, 60, 1000, 6000, {.length = 0, .closed = false});
    start();
    pressAt(0, 5990);
    EXPECT_EQ(note.noteOffDue(), 5990u);
    frameAt(5991);
    EXPECT_EQ(note.noteOffDue(), 0u);
    EXPECT_EQ(sent(), std::vector<Bytes>{On(60)});
}

TEST_F(PlayFrameTest, AutoPlayReadsNoKeyJudgesNothingAndLightsPassingLanes) {
    game.options().setAutoPlay(true);
    Note& note = writer.add(2, 60, 1000, 6000);
    start();
    keys.press(game.keyBindings().primaryKey(2));
    frameAt(5000);
    EXPECT_TRUE(keys.queries.empty());
    EXPECT_FALSE(game.session().laneFlashTimer(2).armed());

    frameAt(6001);
    EXPECT_TRUE(game.session().laneFlashTimer(2).armed());
    EXPECT_EQ(game.chart().laneCursor[2], 1);
    for (std::uint32_t t : {6151u, 6200u, 9000u}) {
        frameAt(t);
    }
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(note.noteOffDue(), 0u);
    EXPECT_FALSE(note.judged());
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));
}

// The song's last event plays at 5000, before its one note reaches the line at 6000: the frames
// go on past the 500 ms the song rings out, until the note is missed in the frame at 6151; the
// next pass ends the song.
TEST_F(PlayFrameTest, SongEndsOnlyOnceItsLastNoteIsMissed) {
    test::SmfBuilder song;
    song.track().end(0);
    const test::Bytes bytes = song.bytes();
    ASSERT_EQ(game.loadBytes(bytes, "end.mid"), LoadResult::Loaded);
    writer.add(0, 60, 1000, 6000);
    start();
    while (game.songTime() < 10000 && game.pumpGame()) {
        game.playFrame();
    }
    EXPECT_TRUE(game.songFinished());
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
    ASSERT_FALSE(port.messages().empty());
    EXPECT_EQ(port.messages().front().tick - game.sequencer().songStartTick(), 6152u);
    EXPECT_EQ(port.messages().size(), 16u); // All Sound Off, and nothing before it
}

TEST_F(PlayFrameTest, PausedFrameDoesNothing) {
    writer.add(0, 60, 1000, 6000);
    start();
    frameAt(5000);
    game.togglePause();
    port.clear();
    surface.calls.clear();
    keys.queries.clear();
    keys.press(game.keyBindings().primaryKey(0));
    const std::uint32_t tick = clock.tickCount();

    game.playFrame();
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(keys.queries.empty());
    EXPECT_EQ(clock.tickCount(), tick);
}

TEST_F(PlayFrameTest, FrameEndsWithOneMillisecondSleep) {
    start();
    const std::uint32_t tick = clock.tickCount();
    game.playFrame();
    EXPECT_EQ(clock.tickCount(), tick + 1);
}

TEST_F(PlayFrameTest, ResetClearsTheRunButKeepsTheChartAndPendingNoteOffs) {
    Note& leader = writer.add(0, 60, 1000, 6000, {.length = 300, .chordFollows = true});
    Note& follower = writer.add(0, 64, 1000, 6000, {.length = 300, .chordFollower = true});
    start();
    frameAt(5000);
    pressAt(0, 5990);
    frameAt(6010);
    ASSERT_EQ(game.chart().laneCursor[0], 2);

    keys.press(game.keyBindings().primaryKey(0)); // made before the run: must not count
    start();
    EXPECT_EQ(game.chart().laneCursor[0], 0);
    EXPECT_FALSE(leader.onScreen() || leader.judged() || follower.onScreen() || follower.judged());
    EXPECT_TRUE(follower.chordFollower());
    EXPECT_EQ(leader.lane(), 0);
    EXPECT_EQ(leader.noteOffDue(), 6290u);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(game.session().judgeDisplay().combo(), 0);
    EXPECT_EQ(game.playField().banner().phase(), -1);
    EXPECT_EQ(game.session().laneFlashTimer(0).duration(), 100u);
    EXPECT_FALSE(game.session().laneFlashTimer(0).armed());

    frameAt(100);
    EXPECT_TRUE(sent().empty());
    // The stopped run's note-off still goes out when the new run's clock gets there.
    frameAt(6290);
    EXPECT_EQ(sent(), (std::vector<Bytes>{Off(60), Off(64)}));
}

TEST_F(PlayFrameTest, DistanceOfHalfTheClockIsBad) {
    // hitTime - t = -2^31 as a signed difference.
    writer.add(0, 60, 0, 0x80001000u);
    start();
    pressAt(0, 0x1000);
    EXPECT_EQ(game.session().judgeDisplay().current(), Bad);
    EXPECT_EQ(tally(), (std::vector<int>{0, 0, 0, 0, 1}));
}

TEST_F(PlayFrameTest, OnlyLanesOfTheKeyModeAreRead) {
    game.options().setLaneCount(5);
    start();
    frameAt(0);
    std::vector<std::uint32_t> expected;
    for (int lane = 0; lane < 5; ++lane) {
        expected.push_back(game.keyBindings().primaryKey(lane));
        expected.push_back(game.keyBindings().secondaryKey(lane));
    }
    EXPECT_EQ(keys.queries, expected);
}

} // namespace
} // namespace tf

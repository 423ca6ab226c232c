#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/LatenessProbe.h"
#include "tools/cli/PressToNoteOn.h"
#include "tools/cli/SampleSummary.h"
#include "tools/cli/StampingPort.h"
#include "tools/cli/TimingRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace tf::cli {
namespace {

using test::SmfBuilder;
using test::TrackBuilder;

TEST(CliSampleSummary, NearestRankPercentilesAreMeasuredValues) {
    EXPECT_EQ(Summarize({}).count, 0u);
    const SampleSummary one = Summarize({7.0});
    EXPECT_EQ(one.count, 1u);
    EXPECT_EQ(one.median, 7.0);
    EXPECT_EQ(one.p99, 7.0);
    EXPECT_EQ(one.max, 7.0);

    // 1..200 shuffled: the median is the 100th value, the 99th percentile the 198th.
    std::vector<double> values;
    for (int i = 200; i >= 1; --i) {
        values.push_back(i % 2 == 0 ? i : 201 - i);
    }
    const SampleSummary many = Summarize(values);
    EXPECT_EQ(many.count, 200u);
    EXPECT_EQ(many.median, 100.0);
    EXPECT_EQ(many.p99, 198.0);
    EXPECT_EQ(many.max, 200.0);

    // One outlier in a hundred stays out of the 99th percentile; two do not.
    std::vector<double> outliers(100, 1.0);
    outliers[3] = 50.0;
    EXPECT_EQ(Summarize(outliers).p99, 1.0);
    outliers[4] = 40.0;
    EXPECT_EQ(Summarize(outliers).p99, 40.0);
}

TEST(CliTimingOptions, SecondsMustBeAPositiveWholeNumberOfADayAtMost) {
    const auto parse = [](std::vector<std::string_view> words) { return ParseCommandLine(words); };
    const auto defaults = parse({"timing", "a.mid"});
    ASSERT_TRUE(defaults.arguments) << defaults.error;
    EXPECT_EQ(defaults.arguments->command, Command::Timing);
    EXPECT_EQ(defaults.arguments->seconds, 20u);
    EXPECT_FALSE(defaults.arguments->partsGiven);

    const auto given = parse({"timing", "--parts", "2,3", "a.mid", "--seconds", "86400"});
    ASSERT_TRUE(given.arguments) << given.error;
    EXPECT_EQ(given.arguments->seconds, 86400u);
    EXPECT_EQ(given.arguments->partMask, 0x6u);
    EXPECT_TRUE(given.arguments->partsGiven);

    EXPECT_FALSE(defaults.arguments->drawEveryFrame);
    const auto everyFrame = parse({"timing", "a.mid", "--draw-every-frame"});
    ASSERT_TRUE(everyFrame.arguments) << everyFrame.error;
    EXPECT_TRUE(everyFrame.arguments->drawEveryFrame);

    for (std::string_view bad : {"0", "86401", "-1", "1.5", "", "x"}) {
        EXPECT_FALSE(parse({"timing", "a.mid", "--seconds", bad}).arguments) << bad;
    }
    EXPECT_FALSE(parse({"timing", "a.mid", "--autoplay"}).arguments);
    EXPECT_FALSE(parse({"timing", "--seconds", "3"}).arguments);
}

/// A game on a manual clock whose output only stamps, for watching single pump passes.
struct ProbedGame {
    ManualClock clock{1000};
    StampingPort port{clock};
    KeyLatch keys;
    NullSurface surface;
    test::RecordingSink messages;
    GamePlay game{clock, keys, port, surface, messages};

    explicit ProbedGame(const test::Bytes& song, std::uint32_t partMask) {
        EXPECT_EQ(game.loadBytes(song, "probe.mid"), LoadResult::Loaded);
        EXPECT_EQ(game.buildChart(partMask), ChartResult::Built);
        game.resetForPlay();
    }
    /// One pass at song time `ms`: the number of messages the probe could not place.
    std::size_t passAt(LatenessProbe& probe, std::uint32_t ms) {
        clock.set(game.sequencer().songStartTick() + ms);
        probe.beforePass();
        const std::size_t first = port.stamps().size();
        port.setSender(Sender::Pump);
        EXPECT_TRUE(game.pumpGame());
        return probe.afterPass(port.stamps(), first);
    }
};

TEST(CliTimingParts, TheDefaultIsTheBusiestPlayablePartThatStartsWithinTheRun) {
    // At tempo 500000 a note reaches the line 5 s after its song time. Channel 2 has the most
    // notes, too many for one key; channel 0 the most after it, from 10 s of song on (hit at
    // 15 s); channel 1 fewer, from the start (hit at 5 s).
    SmfBuilder smf(480);
    smf.track().tempo(0, 500000).end();
    TrackBuilder& late = smf.track();
    for (int i = 0; i < 30; ++i) {
        late.noteOn(i == 0 ? 9600 : 120, 0, 60 + i % 5, 100).noteOff(120, 0, 60 + i % 5);
    }
    late.end();
    TrackBuilder& early = smf.track();
    for (int i = 0; i < 10; ++i) {
        early.noteOn(i == 0 ? 0 : 240, 1, 48, 100).noteOff(240, 1, 48);
    }
    early.end();
    TrackBuilder& crowded = smf.track();
    for (int i = 0; i < 1000; ++i) {
        crowded.noteOn(i == 0 ? 0 : 5, 2, 72, 100).noteOff(5, 2, 72);
    }
    crowded.end();
    ProbedGame probed(smf.bytes(), 0);
    GamePlay& game = probed.game;
    ASSERT_EQ(BusiestPart(game), 1u << 2);

    EXPECT_EQ(DefaultTimingParts(game, 10), 1u << 1);
    EXPECT_EQ(DefaultTimingParts(game, 20), 1u << 0);
    // Nothing reaches the line within 4 s: the busiest part that can be played all the same.
    EXPECT_EQ(DefaultTimingParts(game, 4), 1u << 0);
}

TEST(CliLatenessProbe, GivesEachPumpMessageTheTickItsEventBecameDue) {
    SmfBuilder smf(480);
    // Two note-ons on one tick go out in two passes; the second is a pass later than due.
    smf.track().noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100).noteOff(480, 0, 60).end();
    // A player's note is not sent, but its track moves on and its program change is sent.
    smf.track().noteOn(0, 2, 50, 100).program(0, 2, 5).end();
    ProbedGame probed(smf.bytes(), 1u << 2);
    LatenessProbe probe(probed.game);
    const std::uint32_t start = probed.game.sequencer().songStartTick();
    const auto lead = static_cast<std::uint32_t>(probed.game.sequencer().leadTime(1.0));

    EXPECT_EQ(probed.passAt(probe, lead - 1), 0u);
    EXPECT_EQ(probed.passAt(probe, lead + 3), 0u);
    EXPECT_EQ(probed.passAt(probe, lead + 4), 0u);
    EXPECT_EQ(probed.passAt(probe, lead + 499), 0u);

    std::vector<std::pair<std::uint8_t, std::uint32_t>> sent; // status, lateness
    for (const StampingPort::Stamp& stamp : probed.port.stamps()) {
        if (stamp.sender == Sender::Pump) {
            ASSERT_TRUE(stamp.dueTick) << int(stamp.status);
            sent.emplace_back(stamp.status, stamp.tick - *stamp.dueTick);
        }
    }
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], std::make_pair(std::uint8_t{0x90}, 3u));
    EXPECT_EQ(sent[1], std::make_pair(std::uint8_t{0x90}, 4u));
    EXPECT_EQ(sent[2], std::make_pair(std::uint8_t{0xC2}, 4u)); // after the unsent player's note
    EXPECT_EQ(sent[3].first, 0x80);
    EXPECT_EQ(*probed.port.stamps().back().dueTick, start + lead + 499); // 480 ticks are 499 ms
}

TEST(CliLatenessProbe, ATempoChangeMovesTheLeadTimeOfTheTracksAfterItInTheSamePass) {
    SmfBuilder smf(480);
    smf.track().tempo(0, 500000).tempo(0, 250000).end();
    smf.track().text(0, "wait a pass").control(0, 1, 7, 100).end();
    ProbedGame probed(smf.bytes(), 0);
    LatenessProbe probe(probed.game);
    const auto pumped = [&] {
        std::vector<StampingPort::Stamp> sent;
        for (const StampingPort::Stamp& stamp : probed.port.stamps()) {
            if (stamp.sender == Sender::Pump) {
                sent.push_back(stamp);
            }
        }
        return sent;
    };
    EXPECT_EQ(probed.passAt(probe, 5000), 0u);
    EXPECT_TRUE(pumped().empty());
    // The second tempo halves the lead time, so the controller, due at 2500 by the new tempo,
    // goes out in the same pass: 2501 ms late by the pump's own reckoning.
    EXPECT_EQ(probed.passAt(probe, 5001), 0u);
    const auto sent = pumped();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].status, 0xB1);
    ASSERT_TRUE(sent[0].dueTick);
    EXPECT_EQ(sent[0].tick - *sent[0].dueTick, 2501u);
}

TEST(CliPressMatching, EachPressTakesTheNextFrameNoteOnAfterItsLatch) {
    const auto stamp = [](std::int64_t micros, std::uint8_t velocity, Sender sender = Sender::Frame) {
        return StampingPort::Stamp{0, micros, 0x90, 60, velocity, false, sender, std::nullopt};
    };
    const std::deque<StampingPort::Stamp> stamps{
        stamp(900, 100),                // before every latch: answers nothing
        stamp(1100, 100, Sender::Pump), // the song's own note
        stamp(1300, 0),                 // a note-off written as a note-on
        stamp(1500, 100),               // answers the press latched at 1000
        stamp(1600, 100),               // answers the one at 1400
        stamp(1600, 100),               // a chord's second note: answers nobody
        stamp(9000, 100),               // too late for the press at 2000
    };
    // The press latched at 1400 came as a MIDI note-on: it is answered like the others, and
    // counted with its own kind.
    const std::vector<LatchedPress> presses{
        {{0, 1, 0x90, 60}, 1400, PressVia::Midi},
        {{0, 1, 0x90, 60}, 1000},
        {{0, 2, 0x91, 62}, 2000},
    };
    const PressAnswersByWay answers = MatchPresses(presses, stamps, 5000);
    EXPECT_EQ(answers.keyboard.micros, (std::vector<double>{500.0}));
    EXPECT_EQ(answers.keyboard.unanswered, 1u);
    EXPECT_EQ(answers.midi.micros, (std::vector<double>{200.0}));
    EXPECT_EQ(answers.midi.unanswered, 0u);
}

} // namespace
} // namespace tf::cli

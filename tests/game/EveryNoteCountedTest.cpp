#include "game/GamePlay.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace tf {
namespace {

/// A press of lane `lane`'s key at song time `ms`.
struct Press {
    std::uint32_t ms;
    int lane;
};

// Plays longer than this are left unfinished and unchecked: the few long files of the corpus would
// cost most of the run, and the short ones hold every kind of chart.
constexpr std::uint32_t LongestPlayMs = 30000;
// Each round is one pump pass and one frame, this many milliseconds apart. Judging needs no frame
// at every millisecond: a press is judged at the time of the frame that reads it, a note is
// missed at the first frame past its window, whatever lies between.
constexpr std::uint32_t RoundMs = 10;

/// Presses near most notes that lead a press, each up to 220 ms either side of its judged hit,
/// and a few more anywhere, on any lane of the chart, all from the seeded `random`.
std::vector<Press> PressScript(const ChartStorage& chart, std::int32_t offset, int lanes,
                               std::mt19937& random) {
    std::vector<Press> presses;
    std::uniform_int_distribution<int> near(-220, 220);
    std::bernoulli_distribution pressed(0.7);
    for (std::int32_t m = 0; m < chart.noteOrderCount; ++m) {
        const Note& note = chart.note(chart.noteOrder[static_cast<std::size_t>(m)]);
        if (!note.chordFollower() && pressed(random)) {
            const std::int64_t at = std::int64_t{note.hitTime()} + offset + near(random);
            presses.push_back({static_cast<std::uint32_t>(std::max<std::int64_t>(at, 0)), note.lane()});
        }
    }
    std::uniform_int_distribution<std::uint32_t> anywhere(0, chart.songEnd + 1000);
    std::uniform_int_distribution<int> lane(0, lanes - 1);
    for (std::int32_t stray = 0; stray < chart.noteOrderCount / 4 + 1; ++stray) {
        presses.push_back({anywhere(random), lane(random)});
    }
    std::sort(presses.begin(), presses.end(), [](const Press& a, const Press& b) { return a.ms < b.ms; });
    return presses;
}

class EveryNoteCounted : public ::testing::Test {
protected:
    EveryNoteCounted() : port(clock), game(clock, keys, port, surface, sink) {}

    std::int64_t tallied() const {
        const JudgeTally& t = game.tally();
        return std::int64_t{t.perfect()} + t.great() + t.good() + t.ok() + t.bad();
    }

    /// The channel with the most notes, as a part mask; 0 when the song has none.
    std::uint32_t BusiestPart() {
        int busiest = -1;
        std::int32_t most = 0;
        for (int channel = 0; channel < 16; ++channel) {
            if (const std::int32_t count = game.countPartNotes(channel); count > most) {
                most = count;
                busiest = channel;
            }
        }
        return busiest < 0 ? 0 : 1U << busiest;
    }

    /// Plays the chart with `presses`. Every note that leads a press must come out of the play
    /// counted: at the frame that first marks it judged, the tally must have grown by one for it,
    /// unless the frame sounded it before it appeared (a press then sounds a note unjudged). True
    /// when the song finished within the bound.
    bool PlayChecked(const std::vector<Press>& presses, std::int32_t offset) {
        ChartStorage& chart = game.chart();
        const auto count = static_cast<std::size_t>(chart.noteOrderCount);
        std::vector<bool> marked(count, false);
        game.resetForPlay();
        std::size_t next = 0;
        while (game.songTime() < LongestPlayMs && game.pumpGame()) {
            for (; next < presses.size() && presses[next].ms <= game.songTime(); ++next) {
                keys.press(game.keyBindings().primaryKey(presses[next].lane));
            }
            const std::int64_t before = tallied();
            game.playFrame();
            const std::int64_t t = game.session().frameTime();
            std::int64_t owed = 0;
            for (std::size_t m = 0; m < count; ++m) {
                const Note& note = chart.note(chart.noteOrder[m]);
                if (!marked[m] && note.judged()) {
                    marked[m] = true;
                    owed += !note.chordFollower() && t > std::int64_t{note.appearTime()} + offset ? 1 : 0;
                }
            }
            if (tallied() - before < owed) {
                ADD_FAILURE() << owed << " notes marked judged at song time " << t << " with only "
                              << tallied() - before << " counted";
                return false;
            }
            port.clear();
            clock.advance(RoundMs - 1);
        }
        if (!game.songFinished()) {
            return false;
        }
        for (std::size_t m = 0; m < count; ++m) {
            const Note& note = chart.note(chart.noteOrder[m]);
            EXPECT_TRUE(note.chordFollower() || note.judged())
                << "note " << m << " hit at " << note.hitTime();
        }
        return true;
    }

    ManualClock clock{1000};
    test::ScriptedKeys keys;
    CapturePort port;
    NullSurface surface;
    test::RecordingSink sink;
    GamePlay game;
};

// Every file of the corpus, its busiest part, in turn KEY 5, 7 and 15 at both levels, judged
// with an offset of -300 to 150 ms and seeded random presses. Above 150 ms a press may come after
// a note has passed the line but more than 150 ms before its judged hit: a replay, unjudged.
TEST_F(EveryNoteCounted, InEveryFinishedPlayOfTheCorpus) {
    const auto files = test::CorpusFiles();
    if (files.empty()) {
        GTEST_SKIP() << test::NoCorpusReason();
    }
    std::mt19937 random(24);
    std::uniform_int_distribution<std::int32_t> offsets(-300, 150);
    int finished = 0;
    for (std::size_t index = 0; index < files.size(); ++index) {
        SCOPED_TRACE(files[index].filename().string());
        std::ifstream in(files[index], std::ios::binary);
        const test::Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (game.loadBytes(bytes, files[index]) != LoadResult::Loaded) {
            continue;
        }
        const std::uint32_t part = BusiestPart();
        const int lanes = std::array{5, 7, 15}[index % 3];
        const std::int32_t offset = offsets(random);
        game.options().setLaneCount(lanes);
        game.options().setLevel(index % 2 == 0 ? 1 : 2);
        game.options().setJudgeOffset(offset);
        if (part == 0 || game.buildChart(part) != ChartResult::Built) {
            continue;
        }
        const std::vector<Press> presses = PressScript(game.chart(), offset, lanes, random);
        finished += PlayChecked(presses, offset) ? 1 : 0;
    }
    EXPECT_GT(finished, 20);
}

} // namespace
} // namespace tf

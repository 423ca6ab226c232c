#include "records/PlayRecorder.h"

#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/ChartWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

namespace tf::test {
namespace {

class PlayRecorderTest : public ::testing::Test {
protected:
    PlayRecorderTest() : port(clock), game(clock, keys, port, surface, sink) {
        ChartWriter writer(game.chart());
        writer.add(0, 60, 1000, 6000);
        writer.add(1, 62, 1000, 6500);
    }

    /// A play that presses lane 0 20 ms late, lane 3 (no note) and never lane 1's note.
    void play() {
        game.resetForPlay();
        for (std::uint32_t t : {6020u, 6100u, 7000u}) {
            if (t != 7000u) {
                keys.press(game.keyBindings().primaryKey(t == 6020u ? 0 : 3));
            }
            clock.set(game.sequencer().songStartTick() + t);
            game.playFrame();
        }
    }

    ManualClock clock{50000};
    ScriptedKeys keys;
    CapturePort port;
    RecordingSurface surface;
    RecordingSink sink;
    GamePlay game;
    const PlayedSong song{"xxh3-128:ab", "two.mid", "Two"};
};

// A judged play is kept with every press, the stray one too; AUTO PLAY and a run without parts
// judged nothing and leave no record.
TEST_F(PlayRecorderTest, KeepsJudgedPlaysWithTheirPressesOnly) {
    TempDir dir;
    PlayRecorder recorder{RecordStore(dir.path())};
    play();
    ASSERT_EQ(recorder.playEnded(game, song, 1u), PlayRecorder::Outcome::Kept);
    game.options().setAutoPlay(true);
    EXPECT_EQ(recorder.playEnded(game, song, 1u), PlayRecorder::Outcome::NothingJudged);
    game.options().setAutoPlay(false);
    EXPECT_EQ(recorder.playEnded(game, song, 0u), PlayRecorder::Outcome::NothingJudged);

    const PlayRecorder reread{RecordStore(dir.path())};
    const auto& records = reread.records();
    ASSERT_EQ(records.size(), 1u);
    const PlayRecord& kept = records[0];
    EXPECT_EQ(kept.counts.great, 1);
    EXPECT_EQ(kept.counts.bad, 1);
    EXPECT_EQ(kept.percents, (std::array<int, 5>{0, 50, 0, 0, 50}));
    EXPECT_EQ(kept.mark, "OK");
    EXPECT_EQ(kept.notes, 2);
    EXPECT_EQ(kept.errorMedian, 20);
    EXPECT_EQ(kept.title, "Two");
    EXPECT_EQ(kept.parts, std::vector<int>{1});
    const auto presses = game.session().pressLog().presses();
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].ms, 6020u);
    EXPECT_EQ(presses[1].lane, 3);
}

// A folder that cannot be written is said once, nothing else fails, and nothing is half kept.
TEST_F(PlayRecorderTest, UnwritableFolderIsToldOnce) {
    TempFile blocker(Bytes{'x'}, "file");
    PlayRecorder recorder{RecordStore(blocker.path() / "records")};
    play();
    EXPECT_EQ(recorder.playEnded(game, song, 1u), PlayRecorder::Outcome::CannotWrite);
    play();
    EXPECT_EQ(recorder.playEnded(game, song, 1u), PlayRecorder::Outcome::CannotWriteAgain);
    EXPECT_TRUE(recorder.records().empty());
    EXPECT_TRUE(recorder.store().read().readable);
}

} // namespace
} // namespace tf::test

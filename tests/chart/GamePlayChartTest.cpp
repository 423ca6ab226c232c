#include "game/GamePlay.h"
#include "platform/ManualClock.h"
#include "platform/Surface.h"
#include "platform/midi/CapturePort.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

namespace tf::test {
namespace {

TEST(GamePlayChartTest, BuildChartUsesTheGamesOptionsAndFillsItsChart) {
    ManualClock clock;
    ScriptedKeys keys;
    CapturePort port(clock);
    NullSurface surface;
    RecordingSink sink;
    GamePlay game(clock, keys, port, surface, sink);
    SmfBuilder smf;
    smf.track().noteOn(0, 2, 60, 100).noteOn(0, 2, 72, 100).noteOn(0, 3, 64, 100).end();
    ASSERT_EQ(game.loadBytes(smf.bytes(), "game.mid"), LoadResult::Loaded);
    game.options().setLaneCount(15);
    game.options().setLevel(1);
    game.options().setSpeedMultiplier(3.0);

    ASSERT_EQ(game.buildChart(1u << 2), ChartResult::Built);
    EXPECT_FALSE(game.soundedChannels()[2]);
    EXPECT_TRUE(game.soundedChannels()[3]);
    const ChartStorage& chart = game.chart();
    ASSERT_EQ(chart.noteOrderCount, 2);
    EXPECT_EQ(chart.note(chart.noteOrder[0]).hitTime(), 1666u);
    // Two keys on fifteen lanes sit on lanes 0 and 7; LEVEL 1 makes the chord one press on lane 0.
    EXPECT_EQ(chart.laneEntryCount[0], 2);
    EXPECT_EQ(chart.laneEntryCount[7], 0);
    EXPECT_TRUE(chart.laneEntries[0][0].chordFollows);
}

} // namespace
} // namespace tf::test

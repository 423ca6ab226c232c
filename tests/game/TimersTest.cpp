#include "game/JudgeDisplay.h"
#include "game/JudgeTally.h"
#include "game/TickTimer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace tf {
namespace {

TEST(TickTimer, NewTimerIsZeroAndNeverRuns) {
    TickTimer timer;
    EXPECT_EQ(timer.deadline(), 0u);
    EXPECT_EQ(timer.duration(), 0u);
    EXPECT_FALSE(timer.armed());
    EXPECT_FALSE(timer.running(0));
    EXPECT_FALSE(timer.running(12345));
}

TEST(TickTimer, RunsThroughItsDeadlineAndReportsTheEndOnce) {
    TickTimer timer;
    timer.setDuration(500);
    timer.start(true, 1000);
    EXPECT_EQ(timer.deadline(), 1500u);
    for (std::uint32_t t = 1000; t <= 1500; t += 50) {
        EXPECT_TRUE(timer.running(t)) << t;
    }
    EXPECT_TRUE(timer.armed());
    // The first check past the deadline is still true, and it is the one that disarms.
    EXPECT_TRUE(timer.running(1501));
    EXPECT_FALSE(timer.armed());
    EXPECT_FALSE(timer.running(1502));
    EXPECT_FALSE(timer.running(1501));
}

TEST(TickTimer, LateFirstCheckStillReportsTheOneExtraCall) {
    TickTimer timer;
    timer.setDuration(100);
    timer.start(true, 0);
    EXPECT_TRUE(timer.running(90000));
    EXPECT_FALSE(timer.running(90000));
}

TEST(TickTimer, RestartPushesTheDeadlineOut) {
    TickTimer timer;
    timer.setDuration(500);
    timer.start(true, 1000);
    timer.start(true, 1400);
    EXPECT_EQ(timer.deadline(), 1900u);
    EXPECT_TRUE(timer.running(1600));
    EXPECT_TRUE(timer.running(1900));
    EXPECT_TRUE(timer.running(1901));
    EXPECT_FALSE(timer.running(1902));
}

TEST(TickTimer, StopOnlyDisarmsAndDurationOnlySetsTheDuration) {
    TickTimer timer;
    timer.setDuration(500);
    timer.start(true, 1000);
    timer.start(false, 1200);
    EXPECT_FALSE(timer.armed());
    EXPECT_EQ(timer.deadline(), 1500u);
    EXPECT_FALSE(timer.running(1300));
    EXPECT_FALSE(timer.running(1600));

    timer.start(true, 2000);
    timer.setDuration(100);
    EXPECT_TRUE(timer.armed());
    EXPECT_EQ(timer.deadline(), 2500u);
    EXPECT_EQ(timer.duration(), 100u);
}

TEST(TickTimer, DeadlineWrapsRoundThe32BitCounter) {
    TickTimer timer;
    timer.setDuration(500);
    timer.start(true, 0xFFFFFFFFu - 99);
    EXPECT_EQ(timer.deadline(), 400u);
    // Before the counter wraps the tick compares above the small deadline, so the timer ends
    // at its first check, as it always has on a 32-bit tick counter.
    EXPECT_TRUE(timer.running(0xFFFFFFFFu - 99));
    EXPECT_FALSE(timer.running(0xFFFFFFFFu));

    timer.start(true, 0xFFFFFFFFu - 99);
    EXPECT_TRUE(timer.running(3));
    EXPECT_TRUE(timer.running(400));
    EXPECT_TRUE(timer.running(401));
    EXPECT_FALSE(timer.running(402));
}

TEST(TickTimer, ZeroClearsEveryField) {
    TickTimer timer;
    timer.setDuration(500);
    timer.start(true, 7);
    timer.zero();
    EXPECT_EQ(timer.deadline(), 0u);
    EXPECT_EQ(timer.duration(), 0u);
    EXPECT_FALSE(timer.armed());
}

TEST(JudgeDisplay, ResetWritesTheLabelsAndA500msTimer) {
    JudgeDisplay display;
    display.reset();
    EXPECT_EQ(display.current(), 0);
    EXPECT_EQ(display.combo(), 0);
    EXPECT_EQ(display.currentLabel(), "PRF");
    EXPECT_EQ(display.displayTimer().duration(), 500u);
    EXPECT_EQ(display.displayTimer().deadline(), 0u);
    EXPECT_FALSE(display.displayTimer().armed());
}

TEST(JudgeDisplay, EachIndexShowsItsLabel) {
    JudgeDisplay display;
    display.reset();
    const char* const labels[] = {"PRF", "GRT", "GD", "OK", "BD"};
    for (std::int32_t index = 0; index < 5; ++index) {
        display.setCurrent(index);
        EXPECT_EQ(display.current(), index);
        EXPECT_EQ(display.currentLabel(), labels[index]);
    }
}

TEST(JudgeDisplay, OutOfRangeIndexShowsBadNotTheNearestBound) {
    JudgeDisplay display;
    display.reset();
    for (const std::int32_t index : {-1, 5, INT_MIN, INT_MAX}) {
        display.setCurrent(0);
        display.setCurrent(index);
        EXPECT_EQ(display.current(), 4) << index;
        EXPECT_EQ(display.currentLabel(), "BD") << index;
    }
}

TEST(JudgeDisplay, ResetClearsARunningDisplayAndTheCombo) {
    JudgeDisplay display;
    display.reset();
    display.setCurrent(3);
    display.addCombo();
    display.addCombo();
    display.displayTimer().start(true, 5000);
    display.reset();
    EXPECT_EQ(display.current(), 0);
    EXPECT_EQ(display.combo(), 0);
    EXPECT_FALSE(display.displayTimer().armed());
    EXPECT_EQ(display.displayTimer().deadline(), 0u);
    EXPECT_EQ(display.displayTimer().duration(), 500u);
    EXPECT_FALSE(display.displayTimer().running(5001));
}

TEST(JudgeDisplay, ComboCountsGoodJudgementsInARowAndOkBreaksIt) {
    JudgeDisplay display;
    JudgeTally tally;
    display.reset();
    tally.reset();
    for (const std::int32_t index : {0, 1, 2}) {
        display.setCurrent(index);
        display.addCombo();
        tally.add(index);
    }
    EXPECT_EQ(display.combo(), 3);
    display.setCurrent(3);
    display.clearCombo();
    tally.add(3);
    EXPECT_EQ(display.combo(), 0);
    EXPECT_EQ(display.currentLabel(), "OK");
    EXPECT_EQ(tally.ok(), 1);
    EXPECT_EQ(tally.perfect() + tally.great() + tally.good(), 3);
}

TEST(JudgeTally, AddCountsOnlyItsOwnJudgement) {
    JudgeTally tally;
    tally.reset();
    tally.add(0);
    tally.add(1);
    tally.add(1);
    tally.add(2);
    tally.add(2);
    tally.add(2);
    tally.add(3);
    tally.add(3);
    tally.add(3);
    tally.add(3);
    for (int i = 0; i < 5; ++i) {
        tally.add(4);
    }
    EXPECT_EQ(tally.perfect(), 1);
    EXPECT_EQ(tally.great(), 2);
    EXPECT_EQ(tally.good(), 3);
    EXPECT_EQ(tally.ok(), 4);
    EXPECT_EQ(tally.bad(), 5);
}

TEST(JudgeTally, IndexOutsideTheFiveCountsNowhere) {
    JudgeTally tally;
    tally.add(-1);
    tally.add(5);
    tally.add(INT_MIN);
    EXPECT_EQ(tally.perfect() + tally.great() + tally.good() + tally.ok() + tally.bad(), 0);
}

TEST(JudgeTally, ResetReadsZeroEverywhere) {
    JudgeTally tally;
    tally.addPerfect();
    tally.addGreat();
    tally.addGood();
    tally.addOk();
    tally.addBad();
    EXPECT_EQ(tally.perfect(), 1);
    EXPECT_EQ(tally.bad(), 1);
    tally.reset();
    EXPECT_EQ(tally.perfect(), 0);
    EXPECT_EQ(tally.great(), 0);
    EXPECT_EQ(tally.good(), 0);
    EXPECT_EQ(tally.ok(), 0);
    EXPECT_EQ(tally.bad(), 0);
}

} // namespace
} // namespace tf

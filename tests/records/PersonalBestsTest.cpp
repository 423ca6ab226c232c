#include "records/PersonalBests.h"

#include <gtest/gtest.h>

namespace tf::test {
namespace {

PlayRecord Play(std::string id, std::int32_t perfect, std::int32_t great, std::int32_t bad,
                std::int32_t notes) {
    PlayRecord record;
    record.id = std::move(id);
    record.songDigest = "xxh3-128:0123";
    record.parts = {1};
    record.counts = {perfect, great, notes - perfect - great - bad, 0, bad};
    record.notes = notes;
    record.finished = true;
    return record;
}

// 80 % in every play: the share is compared exactly across charts of other sizes, then PERFECT
// decides, then fewer BAD; a full tie keeps the play that earned it first.
TEST(PersonalBests, EqualSharesRankByPerfectThenFewerBad) {
    const PlayRecord fewerPerfect = Play("a", 30, 50, 10, 100);
    const PlayRecord morePerfect = Play("b", 35, 5, 9, 50);
    const PlayRecord sameButFewerBad = Play("c", 35, 5, 4, 50);
    const PlayRecord fullTie = Play("d", 35, 5, 4, 50);
    EXPECT_TRUE(RanksAbove(morePerfect, fewerPerfect));
    EXPECT_FALSE(RanksAbove(fewerPerfect, morePerfect));
    EXPECT_TRUE(RanksAbove(sameButFewerBad, morePerfect));
    EXPECT_FALSE(RanksAbove(fullTie, sameButFewerBad));

    const std::vector<PlayRecord> plays{fewerPerfect, sameButFewerBad, morePerfect, fullTie};
    const auto bests = PersonalBests(plays);
    ASSERT_EQ(bests.size(), 1u);
    EXPECT_EQ(bests[0].id, "c");
}

// Unfinished and practice plays never count, however good; each LEVEL keeps its own best.
TEST(PersonalBests, OnlyFinishedPlaysWithoutPracticeCountEachKeyApart) {
    PlayRecord unfinished = Play("unfinished", 100, 0, 0, 100);
    unfinished.finished = false;
    PlayRecord practised = Play("practised", 100, 0, 0, 100);
    practised.options.practice = true;
    PlayRecord levelOne = Play("level1", 10, 0, 0, 100);
    levelOne.options.level = 1;
    const std::vector<PlayRecord> plays{unfinished, practised, Play("level2", 50, 0, 0, 100), levelOne};
    const auto bests = PersonalBests(plays);
    ASSERT_EQ(bests.size(), 2u);
    EXPECT_EQ(bests[0].id, "level2");
    EXPECT_EQ(bests[1].id, "level1");

    // The plot takes every play of the song with these parts, finished or not, oldest first.
    const auto shares = RecentShares(plays, "xxh3-128:0123", {1}, 3);
    EXPECT_EQ(shares, (std::vector<double>{1.0, 0.5, 0.1}));
}

} // namespace
} // namespace tf::test

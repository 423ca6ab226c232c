#include "tests/chart/ChartFixture.h"

#include <algorithm>
#include <vector>

namespace tf::test {
namespace {

class ChartLanesTest : public ChartFixture {
protected:
    /// Builds a chart with one note per key of `keys`, read in that order, and gives the lane of
    /// each key in ascending key order.
    std::vector<int> lanesFor(int laneCount, std::vector<int> keys) {
        options.setLaneCount(laneCount);
        SmfBuilder smf;
        auto& track = smf.track();
        for (const int key : keys) {
            track.noteOn(10, 0, key, 100);
        }
        track.end();
        load(smf);
        EXPECT_FALSE(build());
        std::sort(keys.begin(), keys.end());
        std::vector<int> lanes;
        for (const int key : keys) {
            lanes.push_back(noteOf(key).lane());
        }
        return lanes;
    }
    static std::vector<int> Descending(int from, int count) {
        std::vector<int> keys;
        for (int i = 0; i < count; ++i) {
            keys.push_back(from - i);
        }
        return keys;
    }
};

TEST_F(ChartLanesTest, FewerKeysThanLanesAreSpreadEvenly) {
    EXPECT_EQ(lanesFor(7, {72, 40, 55}), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(lanesFor(7, Descending(70, 7)), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(lanesFor(15, {90, 10, 50, 30}), (std::vector<int>{0, 3, 6, 9}));
    EXPECT_EQ(lanesFor(5, {64}), (std::vector<int>{0}));
    EXPECT_EQ(lanesFor(15, Descending(100, 15)),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
}

TEST_F(ChartLanesTest, MoreKeysThanLanesAreDealtInRuns) {
    EXPECT_EQ(lanesFor(7, Descending(90, 8)), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(laneSizes(), (std::vector<int>{2, 2, 2, 2, 0, 0, 0}));
    EXPECT_EQ(lanesFor(7, Descending(90, 14)), (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4}));
    EXPECT_EQ(laneSizes(), (std::vector<int>{3, 3, 3, 3, 2, 0, 0}));
    lanesFor(7, Descending(90, 20));
    EXPECT_EQ(laneSizes(), (std::vector<int>{3, 3, 3, 3, 3, 3, 2}));
    lanesFor(15, Descending(90, 16));
    EXPECT_EQ(laneSizes(), (std::vector<int>{2, 2, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ChartLanesTest, AllKeysOnFiveLanes) {
    const std::vector<int> lanes = lanesFor(5, Descending(127, 128));
    EXPECT_EQ(laneSizes(), (std::vector<int>{26, 26, 26, 26, 24}));
    EXPECT_TRUE(std::is_sorted(lanes.begin(), lanes.end()));
    EXPECT_EQ(lanes.front(), 0);
    EXPECT_EQ(lanes.back(), 4);
}

TEST_F(ChartLanesTest, EveryNoteOfAKeyTakesTheKeysLane) {
    options.setLaneCount(7);
    SmfBuilder smf;
    smf.track()
        .noteOn(0, 0, 50, 90)
        .noteOn(10, 0, 70, 90)
        .noteOn(10, 0, 50, 90)
        .noteOn(10, 0, 60, 90)
        .noteOn(10, 0, 50, 90)
        .end();
    load(smf);
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->pitchNoteCount[50], 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(noteOf(50, i).lane(), 0);
    }
    EXPECT_EQ(noteOf(60).lane(), 2);
    EXPECT_EQ(noteOf(70).lane(), 4);
    EXPECT_EQ(noteOf(50, 3).lane(), -1) << "an unused slot keeps no lane";
    EXPECT_EQ(lane(0), (std::vector<std::array<int, 3>>{{50, 0, 0}, {50, 1, 0}, {50, 2, 0}}));
    EXPECT_EQ(lane(2), (std::vector<std::array<int, 3>>{{60, 0, 0}}));
}

TEST_F(ChartLanesTest, LaneCountsTheDialogNeverOffersStayInsideTheLanes) {
    for (const int laneCount : {0, -3, 16, 1000}) {
        options.setLaneCount(laneCount);
        SmfBuilder smf;
        auto& track = smf.track();
        for (int key = 0; key < 40; ++key) {
            track.noteOn(10, 0, key, 100);
        }
        track.end();
        load(smf);
        ASSERT_FALSE(build()) << laneCount;
        int entries = 0;
        for (int j = 0; j < ChartStorage::maxLanes; ++j) {
            entries += chart->laneEntryCount[static_cast<std::size_t>(j)];
        }
        EXPECT_EQ(entries, 40) << laneCount;
        for (int key = 0; key < 40; ++key) {
            EXPECT_GE(noteOf(key).lane(), 0);
            EXPECT_LT(noteOf(key).lane(), ChartStorage::maxLanes);
        }
    }
}

} // namespace
} // namespace tf::test

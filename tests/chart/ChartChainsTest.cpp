#include "tests/chart/ChartFixture.h"

#include <vector>

namespace tf::test {
namespace {

using Entries = std::vector<std::array<int, 3>>;

class ChartChainsTest : public ChartFixture {
protected:
    /// Keys 60, 64 and 67 (lanes 0, 2 and 4 of 7) struck together, 67 read first.
    void loadChord() {
        SmfBuilder smf;
        smf.track().noteOn(0, 0, 67, 100).noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100).end();
        load(smf);
    }
};

TEST_F(ChartChainsTest, LevelOneMovesAChordIntoTheLaneOfItsFirstNote) {
    options.setLevel(1);
    loadChord();
    ASSERT_FALSE(build());
    EXPECT_EQ(lane(4), (Entries{{67, 0, 1}, {60, 0, 1}, {64, 0, 0}}));
    EXPECT_EQ(laneSizes(), (std::vector<int>{0, 0, 0, 0, 3, 0, 0}));
    EXPECT_FALSE(noteOf(67).chordFollower());
    EXPECT_TRUE(noteOf(60).chordFollower());
    EXPECT_TRUE(noteOf(64).chordFollower());
    EXPECT_EQ(noteOf(60).lane(), 4);
    EXPECT_EQ(noteOf(64).lane(), 4);
}

TEST_F(ChartChainsTest, NormalLevelLeavesAChordAcrossLanesAsSeparatePresses) {
    for (const int level : {2, 0, 3}) {
        options.setLevel(level);
        loadChord();
        ASSERT_FALSE(build());
        EXPECT_EQ(lane(0), (Entries{{60, 0, 0}})) << "level " << level;
        EXPECT_EQ(lane(2), (Entries{{64, 0, 0}})) << "level " << level;
        EXPECT_EQ(lane(4), (Entries{{67, 0, 0}})) << "level " << level;
        EXPECT_FALSE(noteOf(60).chordFollower());
        EXPECT_FALSE(noteOf(64).chordFollower());
        EXPECT_EQ(noteOf(60).lane(), 0);
    }
}

TEST_F(ChartChainsTest, NormalLevelChainsCoincidingNotesThatShareALane) {
    // Eight keys on seven lanes: 60 and 61 share lane 0, 62 and 63 lane 1.
    SmfBuilder smf;
    auto& track = smf.track();
    track.noteOn(0, 0, 61, 100).noteOn(0, 0, 60, 100).noteOn(0, 0, 62, 100).noteOn(10, 0, 63, 100);
    track.noteOn(500, 0, 64, 100)
        .noteOn(500, 0, 65, 100)
        .noteOn(500, 0, 66, 100)
        .noteOn(500, 0, 67, 100)
        .end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(lane(0), (Entries{{61, 0, 1}, {60, 0, 0}}));
    EXPECT_TRUE(noteOf(60).chordFollower());
    // 62 and 63 share a lane but not a time.
    EXPECT_EQ(lane(1), (Entries{{62, 0, 0}, {63, 0, 0}}));
    EXPECT_FALSE(noteOf(63).chordFollower());
}

TEST_F(ChartChainsTest, EqualHitTimesApartInReadingOrderAreNeverChained) {
    options.setLevel(1);
    SmfBuilder smf;
    smf.track().noteOn(0, 0, 60, 100).end();
    smf.track().noteOn(100, 0, 62, 100).end();
    smf.track().noteOn(0, 0, 64, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    ASSERT_EQ(noteOf(60).hitTime(), noteOf(64).hitTime());
    EXPECT_EQ(lane(0), (Entries{{60, 0, 0}}));
    EXPECT_EQ(lane(2), (Entries{{62, 0, 0}}));
    EXPECT_EQ(lane(4), (Entries{{64, 0, 0}}));
    EXPECT_FALSE(noteOf(64).chordFollower());
}

TEST_F(ChartChainsTest, LevelOneMovesOnlyTheChordsNotesNotTheirKeys) {
    options.setLevel(1);
    SmfBuilder smf;
    smf.track().noteOn(0, 0, 60, 100).noteOn(0, 0, 67, 100).noteOn(480, 0, 67, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(67, 0).lane(), 0);
    EXPECT_EQ(noteOf(67, 1).lane(), 3);
    EXPECT_EQ(lane(0), (Entries{{60, 0, 1}, {67, 0, 0}}));
    EXPECT_EQ(lane(3), (Entries{{67, 1, 0}}));
    EXPECT_FALSE(noteOf(67, 1).chordFollower());
}

TEST_F(ChartChainsTest, ChainsFollowTheHitTimeNotTheAppearTime) {
    options.setLevel(1);
    // 60 appears at 0 and falls 5000 ms; 61 appears at 2500 under a tempo whose lead is 2500.
    SmfBuilder smf;
    smf.track().tempo(0, 500000).noteOn(0, 0, 60, 100).tempo(0, 250000).noteOn(4801, 0, 61, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    ASSERT_EQ(noteOf(61).appearTime(), 2500u);
    ASSERT_EQ(noteOf(61).hitTime(), noteOf(60).hitTime());
    EXPECT_EQ(lane(0), (Entries{{60, 0, 1}, {61, 0, 0}}));
    EXPECT_TRUE(noteOf(61).chordFollower());
}

TEST_F(ChartChainsTest, SuccessiveChordsAreSeparateChains) {
    options.setLevel(1);
    SmfBuilder smf;
    smf.track()
        .noteOn(0, 0, 60, 100)
        .noteOn(0, 0, 62, 100)
        .noteOn(480, 0, 64, 100)
        .noteOn(0, 0, 66, 100)
        .end();
    load(smf);
    ASSERT_FALSE(build());
    // Four keys on seven lanes: 60, 62, 64, 66 on lanes 0, 1, 2, 3.
    EXPECT_EQ(lane(0), (Entries{{60, 0, 1}, {62, 0, 0}}));
    EXPECT_EQ(lane(2), (Entries{{64, 0, 1}, {66, 0, 0}}));
    EXPECT_FALSE(noteOf(64).chordFollower());
    EXPECT_TRUE(noteOf(66).chordFollower());
}

} // namespace
} // namespace tf::test

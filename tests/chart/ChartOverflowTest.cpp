#include "tests/chart/ChartFixture.h"

#include <vector>

namespace tf::test {
namespace {

class ChartOverflowTest : public ChartFixture {
protected:
    /// `count` notes of `key`, 10 ticks apart.
    static void AddNotes(TrackBuilder& track, int key, int count) {
        for (int i = 0; i < count; ++i) {
            track.noteOn(10, 0, key, 100);
        }
    }
    /// A small chart whose lane lists a failed build must leave alone.
    void buildSmallChart() {
        SmfBuilder smf;
        smf.track().noteOn(0, 0, 40, 100).noteOn(10, 0, 50, 100).noteOn(10, 0, 60, 100).end();
        load(smf);
        ASSERT_FALSE(build());
        ASSERT_EQ(laneSizes(), (std::vector<int>{1, 0, 1, 0, 1, 0, 0}));
    }
};

TEST_F(ChartOverflowTest, AKeyTakes999NotesAndFailsAtTheThousandth) {
    for (const int count : {999, 1000}) {
        SmfBuilder smf;
        auto& track = smf.track();
        AddNotes(track, 60, count);
        track.noteOn(10, 0, 61, 100).end();
        load(smf);
        const bool failed = build();
        EXPECT_EQ(failed, count == 1000);
        EXPECT_EQ(chart->pitchNoteCount[60], count);
        // The walk stops at the note that reached the limit; the notes read still get lanes.
        EXPECT_EQ(chart->pitchNoteCount[61], count == 1000 ? 0 : 1);
        EXPECT_EQ(chart->noteOrderCount, 1000);
        EXPECT_EQ(noteOf(60, count - 1).lane(), 0);
    }
}

TEST_F(ChartOverflowTest, WalkOverflowEndsBeforeTheNextTracksEvent) {
    SmfBuilder smf;
    AddNotes(smf.track(), 60, 1000);
    AddNotes(smf.track(), 61, 1000);
    load(smf);
    ASSERT_TRUE(build());
    EXPECT_EQ(chart->pitchNoteCount[60], 1000);
    EXPECT_EQ(chart->pitchNoteCount[61], 999);
    EXPECT_EQ(chart->noteOrderCount, 1999);
}

TEST_F(ChartOverflowTest, WalkOverflowKeepsTheLaneListsOfTheEarlierBuild) {
    buildSmallChart();
    const auto lane0 = lane(0);
    SmfBuilder smf;
    auto& track = smf.track();
    AddNotes(track, 61, 1);
    AddNotes(track, 70, 1000);
    track.end();
    load(smf);
    ASSERT_TRUE(build());
    EXPECT_EQ(laneSizes(), (std::vector<int>{1, 0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(lane(0), lane0);
    EXPECT_EQ(chart->noteOrderCount, 1001);
    EXPECT_EQ(noteOf(70, 999).lane(), 3) << "lanes are still dealt";
}

TEST_F(ChartOverflowTest, ALaneTakes999EntriesAndFailsAtTheThousandth) {
    // Eight keys on seven lanes: 60 and 61 share lane 0, 62 and 63 lane 1.
    for (const int second : {499, 500}) {
        SmfBuilder smf;
        auto& track = smf.track();
        for (int key = 63; key <= 67; ++key) {
            AddNotes(track, key, 1);
        }
        AddNotes(track, 60, 500);
        AddNotes(track, 61, second);
        AddNotes(track, 62, 1);
        track.end();
        load(smf);
        const bool failed = build();
        EXPECT_EQ(failed, second == 500);
        EXPECT_EQ(chart->noteOrderCount, 5 + 500 + second + 1) << "the walk itself is fine";
        // The entry that fills lane 0 is written; 62, read after it, is not.
        const std::vector<int> expected = second == 500 ? std::vector<int>{1000, 1, 2, 2, 0, 0, 0}
                                                        : std::vector<int>{999, 2, 2, 2, 0, 0, 0};
        EXPECT_EQ(laneSizes(), expected);
        EXPECT_EQ(chart->laneEntries[0][static_cast<std::size_t>(499 + second)].pitch, 61);
    }
}

TEST_F(ChartOverflowTest, NoteOrderTakes32767NotesAndFailsAt32768) {
    buildSmallChart();
    // 32767 = 32 keys of 999 notes and one of 799. The failing build goes first, so that the lane
    // lists it must keep are those of the small chart.
    for (const int last : {800, 799}) {
        SmfBuilder smf;
        auto& track = smf.track();
        for (int i = 0; i < 999; ++i) {
            for (int key = 0; key < 33; ++key) {
                if (key < 32 || i < last) {
                    track.noteOn(0, 0, key, 100);
                }
            }
        }
        if (last == 800) {
            AddNotes(track, 100, 1);
        }
        track.end();
        load(smf);
        EXPECT_TRUE(build()) << "so many notes always overfill a lane";
        if (last == 799) {
            // The walk read every note; the lane lists were built (and overflowed).
            EXPECT_EQ(chart->noteOrderCount, 32767);
            EXPECT_EQ(chart->laneEntryCount[0], 1000);
        } else {
            // The walk stopped at the note that filled noteOrder; the lanes are the earlier ones.
            EXPECT_EQ(chart->noteOrderCount, 32768);
            EXPECT_EQ(chart->pitchNoteCount[32], 800);
            EXPECT_EQ(chart->pitchNoteCount[100], 0);
            EXPECT_EQ(laneSizes(), (std::vector<int>{1, 0, 1, 0, 1, 0, 0}));
        }
    }
}

} // namespace
} // namespace tf::test

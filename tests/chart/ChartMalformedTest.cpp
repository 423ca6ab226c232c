#include "tests/chart/ChartFixture.h"

#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tf::test {
namespace {

class ChartMalformedTest : public ChartFixture {
protected:
    /// Loads a one-track song whose body is exactly `body`.
    void loadBody(const Bytes& body) {
        SmfBuilder smf;
        smf.track().raw(body);
        load(smf);
    }

    /// What every build must leave, whatever the bytes: references inside the storage, every
    /// stored note on a lane, and after a success every note once in the lane lists, chained
    /// consistently with its `chordFollower`.
    void expectConsistent(bool failed, const std::string& what) {
        const int lanes = options.laneCount();
        ASSERT_LE(chart->noteOrderCount, ChartStorage::orderCapacity) << what;
        int stored = 0;
        for (int key = 0; key < ChartStorage::keyCount; ++key) {
            const int count = chart->pitchNoteCount[static_cast<std::size_t>(key)];
            ASSERT_GE(count, 0) << what;
            ASSERT_LE(count, ChartStorage::notesPerKey) << what;
            for (int i = 0; i < count; ++i) {
                const Note& note = noteOf(key, i);
                ASSERT_EQ(note.noteOnMessage()[1], key) << what;
                ASSERT_GE(note.noteOnMessage()[0], 0x90) << what;
                ASSERT_GT(note.noteOnMessage()[2], 0) << what;
                ASSERT_GE(note.lane(), 0) << what;
                ASSERT_LT(note.lane(), lanes) << what;
            }
            stored += count;
        }
        ASSERT_EQ(stored, chart->noteOrderCount) << what;
        if (failed) {
            return;
        }
        int entries = 0;
        for (int j = 0; j < lanes; ++j) {
            const auto list = lane(j);
            entries += static_cast<int>(list.size());
            for (std::size_t e = 0; e < list.size(); ++e) {
                const Note& note = chart->pitchNotes[static_cast<std::size_t>(list[e][0])]
                                                    [static_cast<std::size_t>(list[e][1])];
                ASSERT_EQ(note.lane(), j) << what;
                if (e + 1 < list.size()) {
                    const Note& next = chart->pitchNotes[static_cast<std::size_t>(list[e + 1][0])]
                                                        [static_cast<std::size_t>(list[e + 1][1])];
                    ASSERT_EQ(list[e][2] == 1, next.chordFollower()) << what;
                }
            }
        }
        ASSERT_EQ(entries, chart->noteOrderCount) << what;
    }
};

TEST_F(ChartMalformedTest, EndOfTheDataEndsATrack) {
    // No End of Track, then a note-on cut short after its key.
    loadBody({0x00, 0x90, 60, 100, 0x00, 0x90, 62});
    ASSERT_FALSE(build());
    EXPECT_EQ(chart->noteOrderCount, 1);
    EXPECT_EQ(chart->pitchNoteCount[60], 1);
    EXPECT_EQ(chart->pitchNoteCount[62], 0);
}

TEST_F(ChartMalformedTest, DataBytesOf0x80OrMoreStoreAndCloseNothing) {
    loadBody({0x00, 0x90, 0x80, 100,  // key out of range
              0x00, 0x90, 61,   0xC0, // velocity out of range
              0x00, 0x90, 60,   100,  //
              0x00, 0x80, 60,   0x80, // a release velocity out of range closes nothing
              0x00, 0x90, 0xFF, 0xFF, // both
              0x00, 0xFF, 0x2F, 0x00});
    ASSERT_FALSE(build());
    EXPECT_EQ(chart->noteOrderCount, 1);
    EXPECT_EQ(chart->pitchNoteCount[60], 1);
    EXPECT_EQ(chart->pitchNoteCount[61], 0);
    EXPECT_EQ(chart->pitchNoteCount[0], 0);
    EXPECT_EQ(noteOf(60).noteOffMessage(), (Note::Message{0, 0, 0}));
}

TEST_F(ChartMalformedTest, StrayBytesAreSteppedOverOneByOne) {
    loadBody({0x00, 0x3C,                // data byte before any status
              0x00, 0x90, 60, 100,       //
              0x00, 0xF4,                // undefined status
              0x83, 0x60, 0x90, 62, 100, // 480 ticks later
              0x00, 0xFF, 0x2F, 0x00});
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->noteOrderCount, 2);
    EXPECT_EQ(noteOf(60).appearTime(), 0u);
    EXPECT_EQ(noteOf(62).appearTime(), 499u);
}

TEST_F(ChartMalformedTest, RunningStatusCarriesNotesAndMetaEvents) {
    loadBody({0x00, 0xFF, 0x01, 0x00,             // text, empty
              0x00, 0x51, 0x03, 0x0F, 0x42, 0x40, // tempo 1000000 under the meta running status
              0x00, 0x90, 60,   100,              //
              0x00, 62,   100,                    // note-on under running status
              0x60, 60,   0,                      // 96 ticks later: velocity 0 closes 60
              0x00, 0xFF, 0x2F, 0x00});
    ASSERT_EQ(sequencer.tempo(), 500000);
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->noteOrderCount, 2);
    EXPECT_EQ(noteOf(60).hitTime(), 10000u);
    EXPECT_EQ(noteOf(62).noteOnMessage(), (Note::Message{0x90, 62, 100}));
    EXPECT_EQ(noteOf(60).noteOffMessage(), (Note::Message{0x90, 60, 0}));
    EXPECT_EQ(noteOf(60).noteLength(), 199);
}

TEST_F(ChartMalformedTest, MissingTracksAndOverlongQuantitiesStillEnd) {
    SmfBuilder smf;
    smf.track().noteOn(0, 0, 60, 100).raw({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 61, 100});
    smf.declaredTracks(4);
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(chart->pitchNoteCount[60], 1);
    expectConsistent(false, "declared 4 tracks");
}

TEST_F(ChartMalformedTest, EveryCorpusFileBuildsConsistently) {
    const auto dir = CorpusDir();
    if (!std::filesystem::is_directory(dir)) {
        GTEST_SKIP() << NoCorpusReason();
    }
    // Each build wipes the whole storage, so the files take turns with the lane modes and levels.
    const std::pair<int, int> modes[] = {{5, 1}, {7, 2}, {15, 1}, {7, 1}, {15, 2}, {5, 2}};
    std::size_t built = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".mid" || sequencer.load(entry.path()) == LoadResult::Failed) {
            continue;
        }
        const auto& [lanes, level] = modes[built % std::size(modes)];
        options.setLaneCount(lanes);
        options.setLevel(level);
        const bool failed = build(0xFFFF);
        expectConsistent(failed, entry.path().filename().string());
        ++built;
    }
    EXPECT_GT(built, 0u);
}

TEST_F(ChartMalformedTest, RandomBytesAlwaysGiveAConsistentChart) {
    // Bytes drawn mostly from the ones that matter to the walk, so that most runs hold notes.
    const std::uint8_t alphabet[] = {0x00, 0x01, 0x2F, 0x3C, 0x40, 0x51, 0x03, 0x7F, 0x80,
                                     0x81, 0x90, 0x91, 0xC0, 0xF0, 0xF4, 0xF7, 0xFF};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 300);
    for (int run = 0; run < 60; ++run) {
        SmfBuilder smf(static_cast<int>(1 + random() % 960));
        for (int t = 0; t < 3; ++t) {
            Bytes body(static_cast<std::size_t>(length(random)));
            for (auto& b : body) {
                b = alphabet[pick(random)];
            }
            smf.track().raw(body);
        }
        load(smf);
        options.setLevel(1 + run % 2);
        const bool failed = build(0xFFFF);
        expectConsistent(failed, "run " + std::to_string(run));
    }
}

} // namespace
} // namespace tf::test

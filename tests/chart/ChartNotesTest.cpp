#include "tests/chart/ChartFixture.h"

#include <vector>

namespace tf::test {
namespace {

using ChartNotesTest = ChartFixture;

TEST_F(ChartNotesTest, PartMaskMarksThePlayersChannelsUnsounded) {
    SmfBuilder smf;
    smf.track().end();
    load(smf);
    ASSERT_FALSE(build(0x0001));
    EXPECT_FALSE(sounded[0]);
    for (std::size_t n = 1; n < 16; ++n) {
        EXPECT_TRUE(sounded[n]) << n;
    }
    ASSERT_FALSE(build(0xFFFF0200));
    for (std::size_t n = 0; n < 16; ++n) {
        EXPECT_EQ(sounded[n], n != 9) << "bits above 15 choose nothing; channel " << n;
    }
}

TEST_F(ChartNotesTest, OnlyThePlayersChannelsAreStoredAsTheFileHasThem) {
    SmfBuilder smf;
    smf.track().noteOn(0, 0, 60, 100).noteOn(0, 1, 61, 101).program(0, 1, 5).control(0, 1, 7, 90);
    smf.track()
        .noteOn(0, 9, 36, 127)
        .event(0, {0xE1, 0x00, 0x40})
        .event(0, {0xA1, 61, 30})
        .noteOn(0, 2, 62, 1)
        .end();
    load(smf);
    ASSERT_FALSE(build((1u << 1) | (1u << 9)));
    ASSERT_EQ(chart->noteOrderCount, 2);
    EXPECT_EQ(chart->pitchNoteCount[60], 0);
    EXPECT_EQ(chart->pitchNoteCount[62], 0);
    // Pass 1 reads channel 0's note (not stored) and then the drum; pass 2 channel 1's note.
    EXPECT_EQ(ordered(0).noteOnMessage(), (Note::Message{0x99, 36, 127}));
    EXPECT_EQ(ordered(1).noteOnMessage(), (Note::Message{0x91, 61, 101}));
    EXPECT_EQ(chart->noteOrder[0].pitch, 36);
    EXPECT_EQ(chart->noteOrder[0].index, 0);
}

TEST_F(ChartNotesTest, NoteOffClosesTheLatestNoteOfItsKeyOnItsChannel) {
    SmfBuilder smf;
    smf.track().noteOn(0, 0, 60, 100).noteOn(0, 1, 60, 100).noteOff(480, 0, 60, 7).noteOff(0, 2, 60, 9).end();
    load(smf);
    ASSERT_FALSE(build(0x0007));
    ASSERT_EQ(chart->pitchNoteCount[60], 2);
    EXPECT_EQ(noteOf(60, 0).noteOffMessage(), (Note::Message{0x80, 60, 7}));
    EXPECT_EQ(noteOf(60, 0).noteLength(), 499);
    EXPECT_EQ(noteOf(60, 1).noteOffMessage(), (Note::Message{0, 0, 0})) << "another channel's note-off";
    EXPECT_EQ(noteOf(60, 1).noteLength(), 0);
}

TEST_F(ChartNotesTest, OverlappingNotesOfOneKeyBothCloseTheLaterNote) {
    SmfBuilder smf;
    smf.track()
        .noteOn(0, 0, 60, 100)
        .noteOn(480, 0, 60, 90)
        .noteOff(480, 0, 60, 10)
        .noteOff(480, 0, 60, 20)
        .end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(60, 0).noteOffMessage(), (Note::Message{0, 0, 0}));
    EXPECT_EQ(noteOf(60, 0).noteLength(), 0);
    EXPECT_EQ(noteOf(60, 1).noteOffMessage(), (Note::Message{0x80, 60, 20}));
    EXPECT_EQ(noteOf(60, 1).noteLength(), 998) << "the second note-off overwrites the first";
}

TEST_F(ChartNotesTest, NoteOffsWithoutAMatchingNoteAreIgnored) {
    SmfBuilder smf;
    smf.track().noteOff(0, 0, 60).noteOn(0, 0, 61, 100).noteOff(0, 3, 61).noteOff(0, 0, 62).end();
    load(smf);
    ASSERT_FALSE(build(0x0001));
    EXPECT_EQ(chart->noteOrderCount, 1);
    EXPECT_EQ(noteOf(61).noteOffMessage(), (Note::Message{0, 0, 0}));
    EXPECT_EQ(noteOf(60).noteOnMessage(), (Note::Message{0, 0, 0}));
}

TEST_F(ChartNotesTest, EmptySongOrEmptyMaskGivesAnEmptyChart) {
    SmfBuilder full;
    full.track().noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100).end();
    load(full);
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->noteOrderCount, 2);

    ASSERT_FALSE(build(0));
    EXPECT_EQ(chart->noteOrderCount, 0);
    EXPECT_EQ(chart->pitchNoteCount[60], 0);
    EXPECT_EQ(laneSizes(), (std::vector<int>(7, 0)));
    for (const bool on : sounded) {
        EXPECT_TRUE(on);
    }

    ASSERT_FALSE(build());
    load(SmfBuilder{});
    ASSERT_EQ(sequencer.song().trackCount(), 0);
    ASSERT_FALSE(build(0xFFFF));
    EXPECT_EQ(chart->noteOrderCount, 0);
    EXPECT_EQ(chart->pitchNoteCount[64], 0);
    EXPECT_EQ(laneSizes(), (std::vector<int>(7, 0)));
}

TEST_F(ChartNotesTest, EveryBuildStartsFromFreshNotes) {
    options.setLevel(1);
    SmfBuilder first;
    first.track().noteOn(0, 0, 60, 100).noteOn(0, 0, 64, 100).noteOff(100, 0, 64).end();
    load(first);
    ASSERT_FALSE(build());
    ASSERT_TRUE(noteOf(64).chordFollower());

    SmfBuilder second;
    second.track().noteOn(0, 0, 64, 50).end();
    load(second);
    ASSERT_FALSE(build());
    const Note& kept = noteOf(64);
    EXPECT_FALSE(kept.chordFollower());
    EXPECT_EQ(kept.noteOnMessage(), (Note::Message{0x90, 64, 50}));
    EXPECT_EQ(kept.noteOffMessage(), (Note::Message{0, 0, 0}));
    EXPECT_EQ(kept.noteLength(), 0);
    const Note& gone = noteOf(60);
    EXPECT_EQ(gone.lane(), -1);
    EXPECT_EQ(gone.hitTime(), 0u);
    EXPECT_EQ(gone.noteOnMessage(), (Note::Message{0, 0, 0}));
}

} // namespace
} // namespace tf::test

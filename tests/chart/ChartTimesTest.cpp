#include "tests/chart/ChartFixture.h"

#include <cstdint>

namespace tf::test {
namespace {

using ChartTimesTest = ChartFixture;

TEST_F(ChartTimesTest, DeltaAfterAnEventTruncatesTheScaledMilliseconds) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).noteOn(480, 0, 61, 100).noteOn(1920, 0, 62, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->noteOrderCount, 3);
    EXPECT_EQ(ordered(0).appearTime(), 0u);
    EXPECT_EQ(ordered(1).appearTime(), 499u);
    EXPECT_EQ(ordered(2).appearTime(), 499u + 1999u);
    EXPECT_EQ(ordered(2).hitTime(), 499u + 1999u + 5000u);
}

TEST_F(ChartTimesTest, FirstDeltaTruncatesTheMillisecondsPerTickFirst) {
    SmfBuilder smf(480);
    smf.track().noteOn(480, 0, 60, 100).end();
    smf.track().noteOn(1920, 0, 61, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(60).appearTime(), 480u);
    EXPECT_EQ(noteOf(61).appearTime(), 1920u);
    EXPECT_EQ(noteOf(61).hitTime(), 6920u);
}

TEST_F(ChartTimesTest, DivisionOf500MakesEveryFirstDeltaZero) {
    SmfBuilder smf(500);
    smf.track().noteOn(1000, 0, 60, 100).noteOn(500, 0, 61, 100).end();
    smf.track().noteOn(7000, 0, 62, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(60).appearTime(), 0u);
    EXPECT_EQ(noteOf(62).appearTime(), 0u);
    // Only the first delta loses its ticks; later ones keep theirs.
    EXPECT_EQ(noteOf(61).appearTime(), 499u);
}

// The note-on and its note-off stand in two tracks so that both fall on whole milliseconds.
TEST_F(ChartTimesTest, SpeedTwoShortensTheLeadAndTheLengthCountsFromTheHit) {
    options.setSpeedMultiplier(2.0);
    for (const bool byVelocityZero : {false, true}) {
        SmfBuilder smf(480);
        smf.track().noteOn(1000, 0, 60, 100).end();
        if (byVelocityZero) {
            smf.track().noteOn(1500, 0, 60, 0).end();
        } else {
            smf.track().noteOff(1500, 0, 60, 33).end();
        }
        load(smf);
        ASSERT_FALSE(build());
        const Note& note = noteOf(60);
        EXPECT_EQ(note.appearTime(), 1000u);
        EXPECT_EQ(note.hitTime(), 3500u);
        EXPECT_EQ(note.noteLength(), 500);
        const Note::Message off = byVelocityZero ? Note::Message{0x90, 60, 0} : Note::Message{0x80, 60, 33};
        EXPECT_EQ(note.noteOffMessage(), off);
        EXPECT_EQ(chart->noteOrderCount, 1) << "a note-on of velocity 0 is no note";
    }
}

TEST_F(ChartTimesTest, LeadTimeForEachOfferedSpeed) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).end();
    load(smf);
    const std::pair<double, std::uint32_t> cases[] = {{1.0, 5000}, {1.5, 3333}, {2.0, 2500}, {3.0, 1666}};
    for (const auto& [speed, lead] : cases) {
        options.setSpeedMultiplier(speed);
        ASSERT_FALSE(build());
        EXPECT_EQ(noteOf(60).hitTime(), lead) << "speed " << speed;
    }
}

TEST_F(ChartTimesTest, LeadTimeIsTakenWithTheTempoInForceWhenEachMessageIsRead) {
    SmfBuilder smf(480);
    smf.track().tempo(0, 500000).noteOn(0, 0, 60, 100).tempo(0, 1000000).noteOff(0, 0, 60).end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(60).hitTime(), 5000u);
    // Off at 0 + 10000, hit at 0 + 5000.
    EXPECT_EQ(noteOf(60).noteLength(), 5000);
}

TEST_F(ChartTimesTest, WalkStartsAtTheSequencersTempo) {
    // The load takes the first FF 51 03 of the file, here in the second track; the first track's
    // first delta and its note's lead time use it before the walk meets that event.
    SmfBuilder smf(480);
    smf.track().noteOn(480, 0, 60, 100).end();
    smf.track().text(0, "intro").tempo(0, 1000000).end();
    load(smf);
    ASSERT_EQ(sequencer.tempo(), 1000000);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(60).appearTime(), 960u);
    EXPECT_EQ(noteOf(60).hitTime(), 10960u);
}

TEST_F(ChartTimesTest, TempoInOneTrackGovernsTheOthersInPassOrder) {
    SmfBuilder smf(480);
    // At tick 0 in its own track, the second tempo still reaches the notes only at pass 3.
    smf.track().tempo(0, 500000).text(0, "a").tempo(0, 1000000).end();
    smf.track()
        .noteOn(0, 0, 60, 100)
        .noteOn(480, 0, 61, 100)
        .noteOn(480, 0, 62, 100)
        .noteOn(480, 0, 63, 100)
        .end();
    load(smf);
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->noteOrderCount, 4);
    const std::uint32_t appear[] = {0, 499, 998, 998 + 999};
    const std::uint32_t hit[] = {5000, 5499, 10998, 11997};
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(ordered(m).appearTime(), appear[m]) << "note " << m;
        EXPECT_EQ(ordered(m).hitTime(), hit[m]) << "note " << m;
    }
}

TEST_F(ChartTimesTest, NotesFollowPassOrderNotTimeOrderAcrossTracks) {
    SmfBuilder smf(480);
    smf.track().noteOn(0, 0, 60, 100).noteOn(960, 0, 61, 100).end();
    smf.track().noteOn(1920, 0, 62, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    ASSERT_EQ(chart->noteOrderCount, 3);
    EXPECT_EQ(chart->noteOrder[0].pitch, 60);
    EXPECT_EQ(chart->noteOrder[1].pitch, 62);
    EXPECT_EQ(chart->noteOrder[2].pitch, 61);
    EXPECT_GT(ordered(1).appearTime(), ordered(2).appearTime());
}

TEST_F(ChartTimesTest, HugeDeltasWrapTheTrackClock) {
    // At division 1 such a delta is far beyond 32 bits of milliseconds: the conversion gives
    // 0x80000000 and the clock wraps on, as 32-bit arithmetic does.
    SmfBuilder smf(1);
    smf.track().noteOn(0, 0, 60, 100).noteOn(0x0FFFFFFF, 0, 61, 100).noteOn(0x0FFFFFFF, 0, 62, 100).end();
    load(smf);
    ASSERT_FALSE(build());
    EXPECT_EQ(noteOf(61).appearTime(), 0x80000000u);
    EXPECT_EQ(noteOf(61).hitTime(), 0x80000000u + 5000u);
    EXPECT_EQ(noteOf(62).appearTime(), 0u);
}

} // namespace
} // namespace tf::test

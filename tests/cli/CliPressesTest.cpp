#include "tests/cli/CliRunner.h"
#include "tests/cli/LogLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tf::test {
namespace {

// Division 480, tempo 500000 throughout, so the lead time is trunc(500000 / 100.0) = 5000 ms.
// A delta read after an event lasts trunc(d x 500000 x timeFactor / 480): 240 ticks = 249 ms,
// 3840 ticks = 3999 ms; the first delta of a track lasts d x trunc(1.0416...) = d ms.
//
// Track 0 (accompaniment, channel 1): tempo, then note 48 from 0 to 3999.
// Track 1 (the player's part, channel 0), song times and hit times (song time + 5000):
//   A 60 at  480 -> 5480    B 60 at  978 -> 5978    C 60 at 1476 -> 6476
//   D 60 at 1974 -> 6974    H 60 at 2472 -> 7472    E 64 at 2970 -> 7970
//   F 60 and G 67 together at 3468 -> 8468
// Every note lasts 249 ms. Keys 60, 64, 67 in 7 lanes: step 7 / 3 = 2, lanes 0, 2 and 4; at
// LEVEL 1 the chord's G follows F into lane 0, so lane 0 holds A B C D H F(+G) G and lane 2
// holds E.
Bytes PlayedSong() {
    SmfBuilder song(480, 1);
    song.track().tempo(0, 500000).noteOn(0, 1, 48, 0x50).noteOff(3840, 1, 48).end(0);
    auto& part = song.track();
    part.noteOn(480, 0, 60, 0x64).noteOff(240, 0, 60);
    for (int repeat = 0; repeat < 4; ++repeat) {
        part.noteOn(240, 0, 60, 0x64).noteOff(240, 0, 60);
    }
    part.noteOn(240, 0, 64, 0x64).noteOff(240, 0, 64);
    part.noteOn(240, 0, 60, 0x64).noteOn(0, 0, 67, 0x64).noteOff(240, 0, 60).noteOff(0, 0, 67).end(0);
    return song.bytes();
}

// In file order, not time order; the two presses at 5475 fall on one latch before one frame.
constexpr const char* Presses = "# ms lane\n"
                                "6008 0\n"
                                "5475 0\n"
                                "5475 0\r\n"
                                "\n"
                                "5600 6\n"
                                "6551 0\n"
                                "7094 0\n"
                                "7672 0\n"
                                "8428 0\n"
                                "8700 0\n";

class CliPresses : public ::testing::Test {
protected:
    std::vector<std::string> run(const std::string& presses, std::vector<std::string> extra = {}) {
        TempFile pressFile(Bytes(presses.begin(), presses.end()), "presses.txt");
        std::vector<std::string> arguments{"events",  song.str(), "--parts",   "1",
                                           "--level", "1",        "--presses", pressFile.str()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        return Lines(result.out);
    }

    TempFile song{PlayedSong()};
};

// The pump sends the accompaniment: the tempo takes the pass at 5000, note 48 goes out one pass
// later at 5001 and ends at 3999 + 5000; the player's track ends at 8719, the accompaniment's
// at 9000, the last one, so All Sound Off follows 500 ms later. Each press sounds its note at the
// press time and its note-off comes 249 ms later, in the first frame that reaches it:
// - 5475, A -5: PERFECT. 5600 on lane 6: an empty lane, nothing sounds.
// - 6008, B +30: the cursor is on C (468 away), farther than B, so B: GREAT.
// - 6551, C +75: GOOD (D is 423 away). 7094, D +120: OK (H is 378 away).
// - 7623: H is missed (7472 + 150 < t), BAD. 7672, H +200: F is 796 away, so H again: BAD.
// - 8121: E, never pressed, is missed: BAD.
// - 8428, F -40: GREAT; the chain sounds G with it, and both end at 8677 (key 60's notes are
//   visited before key 67's).
// - 8700: every note of lane 0 has passed, so the press replays the last entry that leads a
//   chain, F with G, without a judgement.
// Tally: PERFECT A; GREAT B, F; GOOD C; OK D; BAD H twice and E.
// Errors of the presses judged PERFECT to OK, sorted: -40 -5 30 75 120. Nearest rank: the median
// is the 3rd (30), the quartiles the 2nd (-5) and the 4th (75), so the spread is 80; the mean is
// 180 / 5 = 36.0.
TEST_F(CliPresses, PlayedRunLogAndTallyFollowTheJudgementRules) {
    const std::vector<std::string> expected =
        Join(Join(ControllerOnAllChannels("0", "79"),
                  {
                      "5001 91 30 50", // accompaniment
                      "5475 90 3C 64", // A -5, PERFECT
                      "5724 80 3C 40",
                      "6008 90 3C 64", // B +30, GREAT
                      "6257 80 3C 40",
                      "6551 90 3C 64", // C +75, GOOD
                      "6800 80 3C 40",
                      "7094 90 3C 64", // D +120, OK
                      "7343 80 3C 40",
                      "7672 90 3C 64", // H +200, BAD (after its miss at 7623)
                      "7921 80 3C 40",
                      "8428 90 3C 64", // F -40, GREAT, with G
                      "8428 90 43 64", "8677 80 3C 40", "8677 80 43 40",
                      "8700 90 3C 64", // the replay of F and G, unjudged
                      "8700 90 43 64", "8949 80 3C 40", "8949 80 43 40",
                      "8999 81 30 40", // accompaniment
                  }),
             Join(ControllerOnAllChannels("9500", "78"),
                  {"# tally 1 2 1 1 3", "# error median 30 mean 36.0 iqr 80 n 5"}));
    EXPECT_EQ(run(Presses), expected);
}

TEST_F(CliPresses, NobodyPressingMissesEveryNoteThatLeadsAPress) {
    // Seven notes lead a press (G follows F); all are missed and only the accompaniment sounds.
    const auto lines = run("");
    ASSERT_EQ(lines.size(), 16u + 2 + 16 + 2);
    EXPECT_EQ(lines[16], "5001 91 30 50");
    EXPECT_EQ(lines[17], "8999 81 30 40");
    EXPECT_EQ(lines[lines.size() - 2], "# tally 0 0 0 0 7");
    EXPECT_EQ(lines.back(), "# error median 0 mean 0.0 iqr 0 n 0");
}

TEST_F(CliPresses, AutoPlayReadsNoKeys) {
    const auto lines = run(Presses, {"--autoplay"});
    EXPECT_EQ(lines[lines.size() - 2], "# tally 0 0 0 0 0");
    // The sequencer sounds the part itself: A's note on when the song reaches its hit time.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "5480 90 3C 64"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "5475 90 3C 64"), lines.end());
}

TEST_F(CliPresses, AtTheNormalLevelAChordInTwoLanesNeedsTwoPresses) {
    // LEVEL 2 leaves G alone in lane 4: lane 4 sounds G, 2 ms early, and lane 0 sounds F, on time.
    // E's lane holds E only: once E has passed, a press there would replay entry 0, which
    // sounds nothing.
    const auto lines = run("8466 4\n8468 0\n8470 2\n", {"--level", "2"});
    const std::vector<std::string> played(lines.begin() + 16 + 1, lines.end() - 16 - 3);
    EXPECT_EQ(played,
              (std::vector<std::string>{"8466 90 43 64", "8468 90 3C 64", "8715 80 43 40", "8717 80 3C 40"}));
    // G and F PERFECT; A, B, C, D, H and E missed. Errors -2 and 0: the median and both quartiles
    // by nearest rank are -2, -2 and 0.
    EXPECT_EQ(lines[lines.size() - 2], "# tally 2 0 0 0 6");
    EXPECT_EQ(lines.back(), "# error median -2 mean -1.0 iqr 2 n 2");
}

TEST_F(CliPresses, AnOffsetJudgesLatePressesAsIfTheyCameEarlier) {
    // A, B, C, D, H and F hit 25 ms late: GREAT each time. F, the last note of lane 0, has
    // already passed the line, but 25 ms is within the windows, so the press is judged against it
    // as against any other note. E is left alone and missed. An offset of 25 judges the same
    // presses PERFECT and moves nothing that is sent.
    const std::string late = "5505 0\n6003 0\n6501 0\n6999 0\n7497 0\n8493 0\n";
    const auto plain = run(late);
    EXPECT_EQ(plain[plain.size() - 2], "# tally 0 6 0 0 1");
    EXPECT_EQ(plain.back(), "# error median 25 mean 25.0 iqr 0 n 6");
    const auto offset = run(late, {"--offset", "25"});
    EXPECT_EQ(offset[offset.size() - 2], "# tally 6 0 0 0 1");
    EXPECT_EQ(offset.back(), "# error median 0 mean 0.0 iqr 0 n 6");
    EXPECT_EQ(std::vector<std::string>(offset.begin(), offset.end() - 2),
              std::vector<std::string>(plain.begin(), plain.end() - 2));
}

TEST(CliPressesInput, MalformedPressFilesAreRefusedBeforeAnythingPlays) {
    TempFile song(PlayedSong());
    const std::vector<std::pair<std::string, std::string>> bad{
        {"5475\n", "line 1: expected '<ms> <lane>', got '5475'"},
        {"1 0\nabc 0\n", "line 2: expected '<ms> <lane>', got 'abc 0'"},
        {"-5 0\n", "line 1: expected '<ms> <lane>', got '-5 0'"},
        {"5475,0\n", "line 1: expected '<ms> <lane>', got '5475,0'"},
        {"5475 0 1\n", "line 1: expected '<ms> <lane>', got '5475 0 1'"},
        {"4294967296 0\n", "line 1: expected '<ms> <lane>', got '4294967296 0'"},
        {"\n\n5475 15\n", "line 3: lane 15 is not between 0 and 14"},
        {"5475 -1\n", "line 1: lane -1 is not between 0 and 14"},
    };
    for (const auto& [text, error] : bad) {
        TempFile presses(Bytes(text.begin(), text.end()), "presses.txt");
        const CliResult run = RunCli({"events", song.str(), "--parts", "1", "--presses", presses.str()});
        EXPECT_EQ(run.exitCode, 2) << text;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "tonefalls-cli: " + presses.str() + ": " + error + "\n");
    }
    TempDir dir;
    const std::string missing = (dir.path() / "none.txt").string();
    const CliResult run = RunCli({"events", song.str(), "--presses", missing});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "tonefalls-cli: cannot read " + missing + "\n");
}

TEST(CliPressesInput, TooManyNotesForTheChartPlayNothing) {
    SmfBuilder song(480, 1);
    auto& track = song.track();
    for (int i = 0; i < 1000; ++i) {
        track.noteOn(10, 0, 60, 100).noteOff(10, 0, 60);
    }
    track.end(0);
    TempFile file(song.bytes());
    const CliResult run = RunCli({"events", file.str(), "--parts", "1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "ノートの数が多すぎて実行できません\n");
    // Nobody's part: nothing goes into the chart, so the same song plays.
    EXPECT_EQ(RunCli({"events", file.str(), "--max-ms", "10"}).exitCode, 0);
}

} // namespace
} // namespace tf::test

#include "tests/cli/CliRunner.h"
#include "tests/cli/LogLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf::test {
namespace {

// Division 480, initial tempo 600000 (the tempo scan finds it), so the lead time starts at
// trunc(600000 / 100.0) = 6000 ms.
//
// Conductor: tempo 600000 and a GM On sysex at tick 0, then tempo 300000 960 ticks later.
// Track 1: a program change at 240, note 3C, note 3E, then channel 1's note 40.
Bytes GoldenSong() {
    SmfBuilder song(480, 1);
    song.track().tempo(0, 600000).sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).tempo(960, 300000).end(960);
    song.track()
        .program(240, 0, 5)
        .noteOn(0, 0, 0x3C, 0x64)
        .noteOff(480, 0, 0x3C, 0x40)
        .noteOn(480, 0, 0x3E, 0x64)
        .noteOff(480, 0, 0x3E, 0x40)
        .noteOn(240, 1, 0x40, 0x50)
        .noteOff(240, 1, 0x40, 0x40)
        .end(0);
    return song.bytes();
}

// The whole game-mode log of GoldenSong, worked out from the conversion rules:
// - rewind at 0: Reset All Controllers on the sixteen channels;
// - track 1's first delta: 240 x trunc(600000 x timeFactor / 480) = 240 x trunc(1.2499990) = 240 ms;
// - later deltas at 600000: 480 ticks = trunc(287999.78 / 480) = 599 ms; 960 ticks = 1199 ms;
// - pass at 6000: the conductor's tempo (sends nothing); track 1 not due (240 + 6000);
// - 6001: the sysex, payload 7E 7F 09 01 F7 gets its F0; the conductor's next event at 1199;
// - 6240: program change (data2 shown as 00); 6241: note on 3C, the same tick one pass later;
// - 6839: note off 3C (240 + 599); track 1 next at 839 + 599 = 1438;
// - 7199: the conductor's tempo 300000 drops the lead time to 3000 for every track at once, so in
//   the same pass track 1's note on 3E (1438 + 3000 <= 7199) goes out at once;
// - deltas at 300000: 480 ticks = 299 ms, 240 ticks = 149 ms: each next event is already due,
//   so 7200 note off 3E, 7201 channel 1's note on, 7202 its note off, 7203 end of track;
//   the conductor ended at 7200 (1199 + 599 + 3000 <= 7200);
// - the last end of track: 500 ms wait, All Sound Off on the sixteen channels at 7703.
std::vector<std::string> GoldenGameLog() {
    return Join(Join(ControllerOnAllChannels("0", "79"),
                     {
                         "6001 F0 7E 7F 09 01 F7",
                         "6240 C0 05 00",
                         "6241 90 3C 64",
                         "6839 80 3C 40",
                         "7199 90 3E 64",
                         "7200 80 3E 40",
                         "7201 91 40 50",
                         "7202 81 40 40",
                     }),
                ControllerOnAllChannels("7703", "78"));
}

class CliEvents : public ::testing::Test {
protected:
    TempFile song{GoldenSong()};
};

TEST_F(CliEvents, GameModeLogIsTheOneTheConversionRulesGive) {
    const CliResult run = RunCli({"events", song.str()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Lines(run.out), GoldenGameLog());
}

TEST_F(CliEvents, StartTickOnlyMovesTheClockNotTheLogEvenAcrossTheWrap) {
    EXPECT_EQ(Lines(RunCli({"events", song.str(), "--start-tick", "4294964000"}).out), GoldenGameLog());
}

TEST_F(CliEvents, MaxMsStopsOncePassed) {
    const auto lines = Lines(RunCli({"events", song.str(), "--max-ms", "6839"}).out);
    auto expected = GoldenGameLog();
    expected.resize(16 + 4); // up to and including the note off at 6839
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(Lines(RunCli({"events", song.str(), "--max-ms", "6838"}).out).back(), "6241 90 3C 64");
}

TEST_F(CliEvents, PlayersPartsAreSilentUnlessAutoPlay) {
    const auto lines = Lines(RunCli({"events", song.str(), "--parts", "1"}).out);
    const std::vector<std::string> middle(lines.begin() + 16, lines.end() - 16);
    // Channel 0's notes are left to the player; its program change still goes out.
    EXPECT_EQ(middle, (std::vector<std::string>{"6001 F0 7E 7F 09 01 F7", "6240 C0 05 00", "7201 91 40 50",
                                                "7202 81 40 40"}));
    EXPECT_EQ(Lines(RunCli({"events", song.str(), "--parts", "1,2", "--autoplay"}).out), GoldenGameLog());
    const auto both = Lines(RunCli({"events", song.str(), "--parts", "2,1"}).out);
    EXPECT_EQ(both.size(), 16u + 2 + 16);
}

TEST_F(CliEvents, SpeedShortensTheLeadTimeOnly) {
    // x2.0: lead time trunc(600000 / 200.0) = 3000, then 1500 after the tempo change at 1199,
    // which is already past when the first events go out at 3000 + ...
    const auto lines = Lines(RunCli({"events", song.str(), "--speed", "2.0"}).out);
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines[16], "3001 F0 7E 7F 09 01 F7");
    EXPECT_EQ(lines[17], "3240 C0 05 00");
    EXPECT_EQ(lines[18], "3241 90 3C 64");
}

// startPreview(1): every track is walked at once, without time passing, sending all but the notes
// of other channels, until channel 1's first note: that pass moves the song start back by the lead
// time in force (tempo 300000 by then: 3000 ms) and restarts track 1's clock at 0, so its note off
// 240 ticks later comes at trunc(72000000 x timeFactor / 480) = 149 ms. The end of track follows
// one pass later, at 150, and the song ends 500 ms after that.
TEST_F(CliEvents, PreviewFastForwardsToThePartsFirstNote) {
    const CliResult run = RunCli({"events", song.str(), "--preview", "2"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Lines(run.out), Join(Join(ControllerOnAllChannels("0", "79"),
                                        {"0 C0 05 00", "0 F0 7E 7F 09 01 F7", "0 91 40 50", "149 81 40 40"}),
                                   ControllerOnAllChannels("650", "78")));
}

TEST_F(CliEvents, PreviewOfAPartWithoutNotesRunsThroughAndEnds) {
    const auto lines = Lines(RunCli({"events", song.str(), "--preview", "16"}).out);
    ASSERT_EQ(lines.size(), 16u + 2 + 16);
    EXPECT_EQ(lines[16], "0 C0 05 00");
    EXPECT_EQ(lines[17], "0 F0 7E 7F 09 01 F7");
    EXPECT_EQ(lines.back(), "500 BF 78 00");
}

TEST(CliEventsInput, SongsThatNeverEndStopAtTheLimit) {
    // A header that declares no track: the pump never meets a last end of track.
    TempFile empty(SmfBuilder(480, 1).declaredTracks(0).bytes());
    for (const char* mode : {"--autoplay", "--preview"}) {
        std::vector<std::string> arguments{"events", empty.str(), "--max-ms", "2000", mode};
        if (std::string(mode) == "--preview") {
            arguments.push_back("1");
        }
        const CliResult run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << mode;
        EXPECT_EQ(Lines(run.out), ControllerOnAllChannels("0", "79")) << mode;
    }
}

TEST(CliEventsInput, BadArgumentsGiveTheUsageAndExitCode2) {
    TempFile song(GoldenSong());
    const std::vector<std::vector<std::string>> bad{
        {},
        {"play", song.str()},
        {"events"},
        {"events", song.str(), "--parts"},
        {"events", song.str(), "--parts", "0"},
        {"events", song.str(), "--parts", "17"},
        {"events", song.str(), "--parts", "1,,2"},
        {"events", song.str(), "--speed", "1.25"},
        {"events", song.str(), "--preview", "x"},
        {"events", song.str(), "--start-tick", "-1"},
        {"events", song.str(), "--max-ms", "4294967296"},
        {"events", song.str(), "--without", "1"},
        {"events", song.str(), song.str()},
        {"info", song.str(), "--parts", "1"},
        {"render", song.str()},
    };
    for (const auto& arguments : bad) {
        const CliResult run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: tonefalls-cli info FILE"), std::string::npos);
    }
}

TEST(CliEventsInput, LoadFailureIsReportedWithExitCode1) {
    TempDir dir;
    const std::string missing = (dir.path() / "missing.mid").string();
    TempFile tooShort(Bytes{'M', 'T', 'h', 'd'});
    for (const std::string& file : {missing, tooShort.str()}) {
        for (const char* command : {"info", "events"}) {
            const CliResult run = RunCli({command, file});
            EXPECT_EQ(run.exitCode, 1) << command << " " << file;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "MIDIファイルの読み込みに失敗しました\n");
        }
    }
}

} // namespace
} // namespace tf::test

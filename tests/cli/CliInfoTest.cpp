#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

namespace tf::test {
namespace {

TEST(CliInfo, PrintsHeaderValuesAndTheCensusOfABuiltSong) {
    SmfBuilder song(384, 1);
    // The first FF 51 03 of the file gives the initial tempo, even in the second track.
    song.track().text(0, "conductor").end(0);
    song.track().tempo(0, 750000).noteOn(0, 2, 60, 100).noteOn(0, 2, 64, 0).noteOff(96, 2, 60).end(0);
    song.track().noteOn(0, 9, 36, 1).noteOn(10, 9, 38, 127).noteOn(10, 15, 40, 64).end(0);
    TempFile file(song.bytes());
    const CliResult run = RunCli({"info", file.str()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    // A note on of velocity 0 is not counted.
    EXPECT_EQ(run.out, "{\"trackCount\":3,\"division\":384,\"tempo\":750000,"
                       "\"census\":[0,0,1,0,0,0,0,0,0,2,0,0,0,0,0,1]}\n");
}

TEST(CliInfo, ReadsAFormatZeroSongWithoutATempo) {
    // One track at division 96 and no tempo event (so 500000): a scale of eight notes on channel 0.
    SmfBuilder song(96, 0);
    TrackBuilder& track = song.track();
    for (const int key : {60, 62, 64, 65, 67, 69, 71, 72}) {
        track.noteOn(0, 0, key, 100).noteOff(96, 0, key);
    }
    track.end();
    TempFile file(song.bytes(), "scale.mid");
    const CliResult run = RunCli({"info", file.str()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "{\"trackCount\":1,\"division\":96,\"tempo\":500000,"
                       "\"census\":[8,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}\n");
}

TEST(CliInfo, HelpGoesToStdout) {
    const CliResult run = RunCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: tonefalls-cli info FILE", 0), 0u);
    EXPECT_EQ(run.err, "");
}

} // namespace
} // namespace tf::test

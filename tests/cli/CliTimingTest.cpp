#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace tf::test {
namespace {

/// Tempo 100000 makes the lead time 1 s, so a 2 s run sounds a second of song. Channel 0 has a
/// note every quarter (99 ms); channel 1 fewer notes, with controllers and an exclusive message.
Bytes QuickSong() {
    SmfBuilder smf(480);
    TrackBuilder& lead = smf.track();
    lead.tempo(0, 100000).program(0, 0, 0);
    const int keys[] = {60, 62, 64, 65, 67, 69, 71};
    for (int i = 0; i < 40; ++i) {
        lead.noteOn(i == 0 ? 0 : 240, 0, keys[i % 7], 100).noteOff(240, 0, keys[i % 7]);
    }
    lead.end();
    TrackBuilder& accompaniment = smf.track();
    accompaniment.sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7});
    for (int i = 0; i < 10; ++i) {
        accompaniment.control(i == 0 ? 0 : 960, 1, 7, 100 - i).noteOn(0, 1, 48, 90).noteOn(0, 1, 55, 90);
        accompaniment.noteOff(960, 1, 48).noteOff(0, 1, 55);
    }
    accompaniment.end();
    return smf.bytes();
}

struct TableRow {
    std::size_t count = 0;
    double median = -1.0;
    double p99 = -1.0;
    double max = -1.0;
};

/// The row of the table whose name is `name`, read as count, median, p99, max.
std::optional<TableRow> Row(const std::string& table, const std::string& name) {
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with(name + " ")) {
            std::istringstream numbers(line.substr(name.size()));
            TableRow row;
            if (numbers >> row.count >> row.median >> row.p99 >> row.max) {
                return row;
            }
        }
    }
    return std::nullopt;
}

TEST(CliTiming, ShortRunPrintsEveryFigureInOrder) {
    TempFile song(QuickSong());
    const CliResult run = RunCli({"timing", song.str(), "--seconds", "2"});
    if (run.exitCode == 1 && run.err.find("needs Qt") != std::string::npos) {
        GTEST_SKIP() << "this build has no Qt, so no timing command";
    }
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The busiest part is channel 0, and its presses all find their notes.
    EXPECT_NE(run.out.find("parts 1,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 0 unattributed messages"), std::string::npos) << run.out;

    const auto lateness = Row(run.out, "message lateness");
    const auto noteOns = Row(run.out, "note-on lateness");
    const auto period = Row(run.out, "loop period");
    const auto press = Row(run.out, "press to note-on");
    ASSERT_TRUE(lateness && noteOns && period && press) << run.out;
    // Channel 1's chords are the only note-ons the song sends; its controllers, program change
    // and exclusive message count only among all messages.
    EXPECT_LT(noteOns->count, lateness->count);
    EXPECT_NE(run.out.find("\nMIDI press to note-on "), std::string::npos) << run.out;
    for (const TableRow& row : {*lateness, *noteOns, *period, *press}) {
        EXPECT_GT(row.count, 0u) << run.out;
        EXPECT_LE(row.median, row.p99) << run.out;
        EXPECT_LE(row.p99, row.max) << run.out;
    }
    // Nothing goes out before it is due, and no loop round or answer takes no time at all or
    // longer than the run.
    EXPECT_GE(lateness->median, 0.0);
    EXPECT_GT(period->median, 0.0);
    EXPECT_LT(period->max, 2000.0);
    EXPECT_GE(press->median, 0.0);
    EXPECT_LT(press->max, 100.0);

    const std::size_t cpu = run.out.find("CPU share of one core");
    ASSERT_NE(cpu, std::string::npos) << run.out;
    const double share = std::strtod(run.out.c_str() + cpu + 21, nullptr);
    EXPECT_GT(share, 0.0);
    EXPECT_LT(share, 200.0);
}

TEST(CliTiming, RefusesWhatItCannotPlay) {
    const CliResult missing = RunCli({"timing", "/nonexistent/song.mid", "--seconds", "1"});
    EXPECT_EQ(missing.exitCode, 1);
    const CliResult usage = RunCli({"timing", "--seconds", "0", "x.mid"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("timing FILE"), std::string::npos);
}

} // namespace
} // namespace tf::test

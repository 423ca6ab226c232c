#include "tests/cli/CliRunner.h"
#include "tests/cli/LogLines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tf::test {
namespace {

constexpr int Keys[4] = {0x3C, 0x3E, 0x40, 0x41};

// Division 480, tempo 500000, so the lead time is trunc(500000 / 100.0) = 5000 ms; after an
// event 96 ticks last trunc(99.9999) = 99 ms and 384 ticks trunc(399.9997) = 399 ms.
// `count` notes of channel 0 on keys 3C, 3E, 40, 41 in turn: the k-th plays from song time 498k
// to 498k + 99, so it reaches the line at 5000 + 498k; the End of Track follows the last note-off
// at once. In KEY mode 5 the four keys take lanes 0 to 3 (5 / 4 = 1 lane apart), the k-th note
// lane k % 4. The pump meets the last note-off at 498(count - 1) + 5099 and the End of Track one
// pass later.
Bytes FourLanes(int count) {
    SmfBuilder song(480, 1);
    auto& track = song.track().tempo(0, 500000);
    for (int k = 0; k < count; ++k) {
        track.noteOn(k == 0 ? 0 : 384, 0, Keys[k % 4], 0x64).noteOff(96, 0, Keys[k % 4]);
    }
    track.end(0);
    return song.bytes();
}

std::uint32_t HitTime(int k) {
    return 5000 + 498 * static_cast<std::uint32_t>(k);
}

std::string Message(std::uint32_t ms, int status, int key, int velocity) {
    char line[32];
    std::snprintf(line, sizeof line, "%u %02X %02X %02X", ms, status, key, velocity);
    return line;
}

std::vector<std::string> Events(const Bytes& song, const std::string& presses) {
    TempFile file(song);
    TempFile pressFile(Bytes(presses.begin(), presses.end()), "presses.txt");
    const CliResult run =
        RunCli({"events", file.str(), "--parts", "1", "--keys", "5", "--presses", pressFile.str()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    return Lines(run.out);
}

// Every note pressed 17 ms late is GREAT, the last of each lane too, though its lane's cursor has
// passed every entry by then: 17 ms is well within the windows. Each press sounds its note and
// the note-off follows 99 ms later. The last press, at 16471, is silenced at 16570, after the
// End of Track at 16554: the frames go on running to the end, and the channels are silenced at
// 16554 + 500.
TEST(CliLastNotes, LatePressesOnEveryLanesLastNoteAreJudged) {
    std::string presses;
    std::vector<std::string> expected = ControllerOnAllChannels("0", "79");
    for (int k = 0; k < 24; ++k) {
        const std::uint32_t press = HitTime(k) + 17;
        presses += std::to_string(press) + " " + std::to_string(k % 4) + "\n";
        expected.push_back(Message(press, 0x90, Keys[k % 4], 0x64));
        expected.push_back(Message(press + 99, 0x80, Keys[k % 4], 0x40));
    }
    expected = Join(Join(expected, ControllerOnAllChannels("17054", "78")),
                    {"# tally 0 24 0 0 0", "# error median 17 mean 17.0 iqr 0 n 24"});
    EXPECT_EQ(Events(FourLanes(24), presses), expected);
}

// Nobody presses. The last note reaches the line at 6494 and is missed at 6645, after the End
// of Track at 6594 but within the 500 ms the song rings out: all four are counted.
TEST(CliLastNotes, UnpressedLastNotesAreMissedBeforeTheSongEnds) {
    EXPECT_EQ(Events(FourLanes(4), ""),
              Join(Join(ControllerOnAllChannels("0", "79"), ControllerOnAllChannels("7094", "78")),
                   {"# tally 0 0 0 0 4", "# error median 0 mean 0.0 iqr 0 n 0"}));
}

} // namespace
} // namespace tf::test

#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf::test {
namespace {

const std::string LoadFailure = "MIDIファイルの読み込みに失敗しました\n";
const std::string TooManyNotes = "ノートの数が多すぎて実行できません\n";

void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

void AppendBigEndian32(Bytes& to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        to.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

/// An "MThd" chunk as written, whatever it claims: its length field, format 1, `tracks`,
/// `division`.
Bytes Header(std::uint32_t tracks, std::uint32_t division, std::uint32_t length = 6) {
    Bytes bytes{'M', 'T', 'h', 'd'};
    AppendBigEndian32(bytes, length);
    bytes.insert(bytes.end(),
                 {0x00, 0x01, static_cast<std::uint8_t>(tracks >> 8), static_cast<std::uint8_t>(tracks),
                  static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division)});
    return bytes;
}

/// An "MTrk" chunk holding `body` under a length field that may lie about it.
Bytes Chunk(std::uint32_t length, const Bytes& body) {
    Bytes bytes{'M', 'T', 'r', 'k'};
    AppendBigEndian32(bytes, length);
    Append(bytes, body);
    return bytes;
}

/// A few notes on channel 0 then the end of track: something for the census, the chart and the
/// pump to chew on.
Bytes Notes() {
    TrackBuilder track;
    track.tempo(0, 500000);
    for (int i = 0; i < 8; ++i) {
        track.noteOn(i == 0 ? 0 : 48, 0, 60 + i, 100).noteOff(48, 0, 60 + i);
    }
    track.end(0);
    return track.bytes();
}

struct Hostile {
    const char* name;
    Bytes bytes;
};

std::vector<Hostile> HostileFiles() {
    std::vector<Hostile> files;
    {
        Bytes tiny = Header(65535, 96);
        Append(tiny, Chunk(static_cast<std::uint32_t>(Notes().size()), Notes()));
        files.push_back({"65535 tracks declared, one present", tiny});
    }
    files.push_back({"65535 tracks declared, none present", Header(65535, 96)});
    {
        Bytes huge = Header(1, 96);
        Append(huge, Chunk(0xFFFFFFFFu, Notes()));
        files.push_back({"a track of 4 GiB", huge});
    }
    {
        Bytes many = Header(65535, 96);
        for (int i = 0; i < 2000; ++i) {
            Append(many, Chunk(0xFFFFFFFFu, {0x00, 0x90, 0x3C, 0x40, 0x00, 0x80, 0x3C, 0x00}));
        }
        files.push_back({"65535 tracks declared, 2000 present of 4 GiB each", many});
    }
    {
        Bytes longHeader = Header(1, 96, 0xFFFFFFFFu);
        Append(longHeader, Chunk(static_cast<std::uint32_t>(Notes().size()), Notes()));
        files.push_back({"a header of 4 GiB", longHeader});
    }
    {
        // Division 1 and deltas near the largest a quantity holds: times far beyond any bound.
        TrackBuilder far;
        far.tempo(0, 0xFFFFFF).noteOn(0x0FFFFFFF, 0, 60, 100).noteOff(0x0FFFFFFF, 0, 60).end(0x0FFFFFFF);
        Bytes slow = Header(1, 1);
        Append(slow, Chunk(static_cast<std::uint32_t>(far.bytes().size()), far.bytes()));
        files.push_back({"division 1, the longest deltas", slow});
    }
    {
        Bytes smpte = Header(1, 0xE728);
        Append(smpte, Chunk(static_cast<std::uint32_t>(Notes().size()), Notes()));
        files.push_back({"an SMPTE division", smpte});
    }
    return files;
}

/// The runs a chosen song goes through: the census, a chart, a few seconds of play and of a
/// preview.
std::vector<std::vector<std::string>> WholeGame(const std::string& file) {
    return {
        {"info", file},
        {"chart", file, "--parts", "1", "--keys", "15", "--level", "1"},
        {"events", file, "--parts", "1", "--max-ms", "5000"},
        {"events", file, "--parts", "1", "--autoplay", "--keys", "5", "--max-ms", "5000"},
        {"events", file, "--preview", "1", "--max-ms", "5000"},
    };
}

// The companion's own footprint, measured on a well-formed song, so that only what a file adds
// is held against it.
long BaselineRssKb() {
    SmfBuilder song(96, 1);
    TrackBuilder& track = song.track();
    track.noteOn(0, 0, 60, 100).noteOff(96, 0, 60).end(0);
    TempFile file(song.bytes());
    return RunCli({"events", file.str(), "--parts", "1", "--max-ms", "5000"}).maxRssKb;
}

TEST(HostileHeaders, LoadFailsOrTheWholeGamePlaysWithinBoundedMemory) {
    const long baselineKb = BaselineRssKb();
    ASSERT_GT(baselineKb, 0);
    for (const Hostile& hostile : HostileFiles()) {
        SCOPED_TRACE(hostile.name);
        TempFile file(hostile.bytes);
        // A generous bound, but far below what believing any of these headers would take.
        const long boundKb = 64 * 1024 + 100 * static_cast<long>(hostile.bytes.size()) / 1024;
        for (const auto& arguments : WholeGame(file.str())) {
            const CliResult run = RunCli(arguments);
            const std::string what = ::testing::PrintToString(arguments);
            EXPECT_FALSE(run.timedOut) << what;
            EXPECT_EQ(run.signal, 0) << what;
            if (run.exitCode == 1) {
                // Two thousand tracks of one note each overfill a lane's store: refused, as it must.
                EXPECT_EQ(run.err, TooManyNotes) << what;
                EXPECT_EQ(arguments[0], "events") << what;
            } else {
                EXPECT_EQ(run.exitCode, 0) << what << ": " << run.err;
                EXPECT_EQ(run.err, "") << what;
                EXPECT_FALSE(run.out.empty()) << what;
            }
            EXPECT_LT(run.maxRssKb - baselineKb, boundKb) << what << " peak " << run.maxRssKb << " KiB";
        }
    }
}

TEST(HostileHeaders, DivisionZeroIsALoadFailureEverywhere) {
    Bytes bytes = Header(1, 0);
    Append(bytes, Chunk(static_cast<std::uint32_t>(Notes().size()), Notes()));
    TempFile file(bytes);
    for (const auto& arguments : WholeGame(file.str())) {
        const CliResult run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 1) << ::testing::PrintToString(arguments);
        EXPECT_EQ(run.err, LoadFailure);
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace tf::test

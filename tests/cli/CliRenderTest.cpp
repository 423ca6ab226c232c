#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace tf::test {
namespace {

constexpr const char* SmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr std::size_t FramesPerMs = 48;

struct Wav {
    std::uint32_t sampleRate = 0;
    std::uint16_t channels = 0;
    std::uint16_t bits = 0;
    std::uint32_t riffSize = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t Le(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// Reads the 44-byte header that the companion writes and the samples after it.
Wav ReadWav(const std::filesystem::path& path) {
    const std::string bytes = ReadWhole(path);
    Wav wav;
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
        bytes.compare(36, 4, "data") != 0) {
        ADD_FAILURE() << "not the expected WAV layout";
        return wav;
    }
    wav.riffSize = Le(bytes, 4, 4);
    wav.channels = static_cast<std::uint16_t>(Le(bytes, 22, 2));
    wav.sampleRate = Le(bytes, 24, 4);
    wav.bits = static_cast<std::uint16_t>(Le(bytes, 34, 2));
    const std::uint32_t dataSize = Le(bytes, 40, 4);
    EXPECT_EQ(dataSize, bytes.size() - 44);
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(Le(bytes, i, 2)));
    }
    return wav;
}

int Peak(const Wav& wav, std::size_t fromMs, std::size_t toMs) {
    const std::size_t from = std::min(fromMs * FramesPerMs * 2, wav.samples.size());
    const std::size_t to = std::min(toMs * FramesPerMs * 2, wav.samples.size());
    int peak = 0;
    for (std::size_t i = from; i < to; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(wav.samples[i])));
    }
    return peak;
}

// Tempo 500000 (no tempo event), division 480, so a lead time of 5000 ms. The note on comes
// after a first delta of 480 ticks, 480 x trunc(500000 x timeFactor / 480) = 480 ms; its note off
// 480 ticks later, trunc(499.9996) = 499 ms; the end of track one pass after that, at 980.
Bytes OneNote(int channel) {
    SmfBuilder song(480, 1);
    song.track().noteOn(480, channel, 60, 110).noteOff(480, channel, 60).end(0);
    return song.bytes();
}

class CliRender : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(SmallSoundFont)) {
            GTEST_SKIP() << SmallSoundFont << " is not installed (package timgm6mb-soundfont)";
        }
    }
    TempFile song{OneNote(0)};
    TempDir out;
};

TEST_F(CliRender, SilentBeforeTheFirstNoteAndSoundingAfterIt) {
    const auto wavPath = out.path() / "song.wav";
    const CliResult run =
        RunCli({"render", song.str(), "--out", wavPath.string(), "--soundfont", SmallSoundFont});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "") << "no progress when stderr is not a terminal";
    const Wav wav = ReadWav(wavPath);
    EXPECT_EQ(wav.sampleRate, 48000u);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.riffSize, 36 + wav.samples.size() * 2);
    // The lead time is cut, so song time 0 is the file's start. Rendered: 5000 + 980 ms of play,
    // the 500 ms the pump waits at the end, the 1 s tail; kept: all but the first 5000.
    EXPECT_EQ(wav.samples.size(), (980 + 500 + 1000) * FramesPerMs * 2);
    EXPECT_EQ(Peak(wav, 0, 480), 0);
    EXPECT_GT(Peak(wav, 480, 600), 1000);
    EXPECT_GT(Peak(wav, 900, 979), 100) << "the note is still heard until its note off";
}

TEST_F(CliRender, WithoutLeavesThosePartsToNobody) {
    const auto wavPath = out.path() / "backing.wav";
    const CliResult run = RunCli(
        {"render", song.str(), "--out", wavPath.string(), "--soundfont", SmallSoundFont, "--without", "1,5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Wav wav = ReadWav(wavPath);
    EXPECT_EQ(wav.samples.size(), (980 + 500 + 1000) * FramesPerMs * 2);
    EXPECT_EQ(Peak(wav, 0, 2480), 0);

    TempFile other(OneNote(3));
    ASSERT_EQ(RunCli({"render", other.str(), "--out", wavPath.string(), "--soundfont", SmallSoundFont,
                      "--without", "1,5"})
                  .exitCode,
              0);
    EXPECT_GT(Peak(ReadWav(wavPath), 480, 600), 1000);
}

TEST_F(CliRender, TheSameSongRendersTheSameBytes) {
    const auto a = out.path() / "a.wav";
    const auto b = out.path() / "b.wav";
    ASSERT_EQ(RunCli({"render", song.str(), "--out", a.string(), "--soundfont", SmallSoundFont}).exitCode, 0);
    ASSERT_EQ(RunCli({"render", song.str(), "--out", b.string(), "--soundfont", SmallSoundFont}).exitCode, 0);
    EXPECT_TRUE(ReadWhole(a) == ReadWhole(b));
}

TEST_F(CliRender, FailuresExitWith1AndSayWhy) {
    const auto wavPath = out.path() / "song.wav";
    CliResult run = RunCli({"render", song.str(), "--out", wavPath.string(), "--soundfont",
                            (out.path() / "missing.sf2").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "MIDIポートが見つかりません。\n");

    run = RunCli({"render", (out.path() / "missing.mid").string(), "--out", wavPath.string(), "--soundfont",
                  SmallSoundFont});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "MIDIファイルの読み込みに失敗しました\n");
    EXPECT_FALSE(std::filesystem::exists(wavPath)) << "nothing is written for a song that did not load";

    run = RunCli({"render", song.str(), "--out", (out.path() / "no" / "such" / "dir.wav").string(),
                  "--soundfont", SmallSoundFont});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot create"), std::string::npos);
}

} // namespace
} // namespace tf::test

#include "tests/fuzz/FuzzSteps.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tf {
namespace {

using test::Bytes;

const std::filesystem::path fuzzDir = std::filesystem::path(TF_SOURCE_DIR) / "tests" / "fuzz";

/// The inputs kept in `dir`, in name order; hidden files (such as a .gitkeep) are not inputs.
std::vector<std::filesystem::path> InputsIn(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes Text(const std::string& text) {
    return {text.begin(), text.end()};
}

// Every song the fuzzer once failed on, its seeds and the shared corpus go through the same
// steps as the fuzzer; a fault shows as a crash or a sanitizer report in the sanitized build.
TEST(FuzzRegressionTest, SongInputsPlayThrough) {
    std::size_t replayed = 0;
    for (const auto& dir :
         {fuzzDir / "regressions" / "song", fuzzDir / "seeds" / "song", test::CorpusDir()}) {
        for (const auto& file : InputsIn(dir)) {
            SCOPED_TRACE(file.string());
            fuzz::RunSongSteps(ReadAll(file));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u) << "no song input found under " << fuzzDir;
}

TEST(FuzzRegressionTest, KeyFileInputsRoundTrip) {
    std::size_t replayed = 0;
    for (const auto& dir : {fuzzDir / "regressions" / "keyfile", fuzzDir / "seeds" / "keyfile"}) {
        for (const auto& file : InputsIn(dir)) {
            EXPECT_TRUE(fuzz::RunKeyFileSteps(ReadAll(file))) << file;
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u) << "no key file input found under " << fuzzDir;
}

// Inputs the seeds may not hold: nothing, the largest code, CR LF and a line longer than a read.
TEST(FuzzRegressionTest, KeyFileStepsHoldForTheEdgesOfTheFormat) {
    EXPECT_TRUE(fuzz::RunKeyFileSteps({}));
    EXPECT_TRUE(fuzz::RunKeyFileSteps(Text("[Key]\nKey00 = 4294967295\nKey14 = 0\n")));
    EXPECT_TRUE(fuzz::RunKeyFileSteps(Text("Key3 = 65\r\nKey15 = 9\nKey07 = +12abc\n")));
    EXPECT_TRUE(fuzz::RunKeyFileSteps(Text(std::string(258, ' ') + "Key01 = 1" + std::string(400, '7'))));
}

TEST(FuzzRegressionTest, SongStepsSurviveHostileHeadersAndEveryChoice) {
    // The choices live in the last five bytes: the last takes every value (KEY mode, level,
    // speed and the flags), the others move through theirs at different strides.
    test::SmfBuilder song(96);
    song.track().tempo(0, 1).noteOn(0, 0, 60, 100).noteOff(10, 0, 60).noteOn(0, 9, 36, 100).end(5);
    song.track().noteOn(3, 1, 61, 100).noteOn(0, 1, 62, 100).noteOff(1, 1, 61).end();
    const Bytes base = song.bytes();
    for (int value = 0; value < 256; ++value) {
        Bytes input = base;
        for (const int stride : {31, 29, 13, 7, 1}) {
            input.push_back(static_cast<std::uint8_t>(value * stride));
        }
        fuzz::RunSongSteps(input);
    }
    test::SmfBuilder tiny(0);
    tiny.track().noteOn(0, 0, 60, 100).end();
    fuzz::RunSongSteps(tiny.bytes());
    test::SmfBuilder many(480);
    many.declaredTracks(4000);
    many.track().noteOn(0, 0, 60, 100).end();
    fuzz::RunSongSteps(many.bytes());
}

} // namespace
} // namespace tf

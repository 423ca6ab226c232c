#include "tools/cli/WavWriter.h"

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tf::cli {
namespace {

std::vector<std::uint8_t> Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WavWriter, WritesACanonicalHeaderAndLittleEndianSamples) {
    test::TempDir dir;
    const auto path = dir.path() / "x.wav";
    WavWriter wav;
    ASSERT_TRUE(wav.open(path, 48000, 2));
    const std::vector<std::int16_t> first{0, 1, -1, 0x1234};
    const std::vector<std::int16_t> second{-32768, 32767};
    ASSERT_TRUE(wav.write(first));
    ASSERT_TRUE(wav.write(second));
    EXPECT_EQ(wav.dataBytes(), 12u);
    ASSERT_TRUE(wav.finish());
    const std::vector<std::uint8_t> expected{
        'R', 'I', 'F', 'F', 48,   0,    0,    0,    'W',  'A',  'V',  'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, //
        1,   0,   2,   0,   0x80, 0xBB, 0,    0,    0x00, 0xEE, 0x02, 0,   4,   0,   16,  0,                //
        'd', 'a', 't', 'a', 12,   0,    0,    0,                                                            //
        0,   0,   1,   0,   0xFF, 0xFF, 0x34, 0x12, 0x00, 0x80, 0xFF, 0x7F};
    EXPECT_EQ(Contents(path), expected);
}

TEST(WavWriter, AnEmptyFileIsStillAWholeHeader) {
    test::TempDir dir;
    WavWriter wav;
    ASSERT_TRUE(wav.open(dir.path() / "e.wav", 22050, 1));
    ASSERT_TRUE(wav.finish());
    const auto bytes = Contents(dir.path() / "e.wav");
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes[4], 36);
    EXPECT_EQ(bytes[40], 0);
}

TEST(WavWriter, FailuresAreReported) {
    test::TempDir dir;
    WavWriter wav;
    EXPECT_FALSE(wav.open(dir.path() / "missing" / "x.wav", 48000, 2));
    const std::vector<std::int16_t> samples{1, 2};
    EXPECT_FALSE(wav.write(samples));
    EXPECT_FALSE(wav.finish());

    WavWriter never;
    EXPECT_FALSE(never.write(samples));
    EXPECT_FALSE(never.finish());
}

} // namespace
} // namespace tf::cli

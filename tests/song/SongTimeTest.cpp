#include "song/SongTime.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace tf {
namespace {

TEST(SongTimeTest, TimeFactorIsTheThirtyBitCutOfOneThousandth) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(timeFactor), 0x3F50624D00000000ull);
    EXPECT_LT(timeFactor, 0.001);
}

TEST(SongTimeTest, DeltaAfterAnEventKeepsTheFractionUntilTheEnd) {
    // A quarter note at 120 per minute falls just short of 500 ms.
    EXPECT_EQ(DeltaToMs(500000, 480, 480), 499);
    EXPECT_EQ(DeltaToMs(500000, 960, 480), 999);
    EXPECT_EQ(DeltaToMs(500000, 0, 480), 0);
    EXPECT_EQ(DeltaToMs(600000, 1, 96), 6);
    EXPECT_EQ(DeltaToMs(0, 480, 480), 0);
}

TEST(SongTimeTest, FirstDeltaCutsThePerTickFactorFirst) {
    EXPECT_EQ(FirstDeltaToMs(500000, 480, 480), 480);
    EXPECT_EQ(FirstDeltaToMs(500000, 480, 500), 0);
    EXPECT_EQ(FirstDeltaToMs(500000, 100000, 59176), 0);
    EXPECT_EQ(FirstDeltaToMs(500000, 10, 96), 50); // 5.2 ms a tick counts 5
    EXPECT_EQ(FirstDeltaToMs(500000, 0, 1), 0);
}

TEST(SongTimeTest, FirstDeltaWrapsLikeThirtyTwoBitArithmetic) {
    // 268435455 ticks of 16777 ms each: far beyond 32 bits, so only the low word survives.
    const std::uint32_t expected = 268435455u * 16777u;
    EXPECT_EQ(FirstDeltaToMs(16777215, 268435455, 1), static_cast<std::int32_t>(expected));
}

TEST(SongTimeTest, LeadTimeAtEachSpeed) {
    EXPECT_EQ(LeadTime(500000, 1.0), 5000);
    EXPECT_EQ(LeadTime(500000, 1.5), 3333);
    EXPECT_EQ(LeadTime(500000, 2.0), 2500);
    EXPECT_EQ(LeadTime(500000, 3.0), 1666);
    EXPECT_EQ(LeadTime(0, 1.0), 0);
    EXPECT_EQ(LeadTime(500000, 0.0), INT32_MIN);
}

TEST(SongTimeTest, TruncationIsTowardZeroAndOutOfRangeGivesTheMinimum) {
    EXPECT_EQ(TruncToInt32(1.9), 1);
    EXPECT_EQ(TruncToInt32(-1.9), -1);
    EXPECT_EQ(TruncToInt32(2147483647.9), INT32_MAX);
    EXPECT_EQ(TruncToInt32(-2147483648.9), INT32_MIN);
    EXPECT_EQ(TruncToInt32(2147483648.0), INT32_MIN);
    EXPECT_EQ(TruncToInt32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(TruncToInt32(std::nan("")), INT32_MIN);
    // A delta so long that its time leaves the 32-bit range.
    EXPECT_EQ(DeltaToMs(16777215, 268435455, 1), INT32_MIN);
}

TEST(SongTimeTest, WrapAddWrapsInsteadOfOverflowing) {
    EXPECT_EQ(WrapAdd(INT32_MAX, 1), INT32_MIN);
    EXPECT_EQ(WrapAdd(INT32_MIN, INT32_MIN), 0);
    EXPECT_EQ(WrapAdd(-5, 3), -2);
}

} // namespace
} // namespace tf

#include "game/HitErrors.h"

#include <gtest/gtest.h>

#include <vector>

namespace tf {
namespace {

TEST(HitErrorsTest, HistogramBinsRunFromMinus150ToPlus150AndDropTheRest) {
    const std::vector<std::int32_t> errors{-151, -150, -141, -140, -1, 0, 149, 150, 151};
    const HitErrorSummary summary = SummarizeHitErrors(errors);
    EXPECT_EQ(summary.count, errors.size());
    std::array<std::int32_t, HitErrorSummary::binCount> expected{};
    expected[0] = 2;  // -150, -141
    expected[1] = 1;  // -140
    expected[14] = 1; // -1
    expected[15] = 1; // 0
    expected[29] = 2; // 149, and 150 in the last bin
    EXPECT_EQ(summary.histogram, expected);
}

TEST(HitErrorsTest, CalibrationIsOfferedOnlyForEnoughSteadyPressesOffCentre) {
    const auto summaryOf = [](std::size_t count, std::int32_t error, std::int32_t spread) {
        std::vector<std::int32_t> errors(count, error);
        // A quarter of the presses `spread` later widens the interquartile range by that much.
        for (std::size_t i = 0; i < count / 4 + 1; ++i) {
            errors[i] += spread;
        }
        return SummarizeHitErrors(errors);
    };
    EXPECT_TRUE(OffersCalibration(summaryOf(20, 12, 0)));
    EXPECT_FALSE(OffersCalibration(summaryOf(19, 12, 0)));
    EXPECT_FALSE(OffersCalibration(summaryOf(20, 5, 0)));
    EXPECT_TRUE(OffersCalibration(summaryOf(20, -6, 0)));
    EXPECT_TRUE(OffersCalibration(summaryOf(20, 12, 39)));
    EXPECT_FALSE(OffersCalibration(summaryOf(20, 12, 40)));
    EXPECT_EQ(CalibratedOffset(-10, summaryOf(20, 12, 0)), 2);
    EXPECT_EQ(CalibratedOffset(295, summaryOf(20, 12, 0)), 300);
}

TEST(HitErrorsTest, RecordingStopsAtTheLimitAndKeepsTheLastTwentyForTheBar) {
    HitErrors errors(8);
    errors.clear(100); // never more than the room made
    for (std::int32_t e = 0; e < 30; ++e) {
        errors.record(e, static_cast<std::uint32_t>(1000 + e));
    }
    EXPECT_EQ(errors.errors().size(), 8u);
    ASSERT_EQ(errors.recent().size(), HitErrors::recentCount);
    EXPECT_EQ(errors.recent().front().errorMs, 10);
    EXPECT_EQ(errors.recent().back().at, 1029u);
    errors.clear(3);
    errors.record(1, 0);
    EXPECT_EQ(errors.errors().size(), 1u);
    EXPECT_EQ(errors.recent().size(), 1u);
}

} // namespace
} // namespace tf

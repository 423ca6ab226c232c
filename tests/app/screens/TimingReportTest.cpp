#include "app/screens/TimingReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace tf {
namespace {

TEST(TimingReportTest, EachBinTakesTheWindowOfMostOfItsMilliseconds) {
    // Bin 15 is [0, 10), bin 16 [10, 20) with PERFECT's edge 10 but nine GREATs; bin 13 is
    // [-20, -10), all GREAT. The same at every window's edge, on both sides.
    const std::vector<std::pair<int, Judgement>> bins{
        {0, Ok},       {4, Ok},     {5, Good},   {9, Good},  {10, Great}, {13, Great}, {14, Perfect},
        {15, Perfect}, {16, Great}, {19, Great}, {20, Good}, {24, Good},  {25, Ok},    {29, Ok}};
    for (const auto& [bin, judgement] : bins) {
        EXPECT_EQ(BinJudgement(bin), judgement) << bin;
    }
}

TEST(TimingReportTest, SaysLateEarlyOrOnTimeAndOffersOnlyAnOffsetThatChangesSomething) {
    EXPECT_EQ(TimingText(12, Language::English), "12 ms late");
    EXPECT_EQ(TimingText(-8, Language::Japanese), "8 ms 早い");
    EXPECT_EQ(TimingText(0, Language::Japanese), "ぴったり");
    EXPECT_EQ(TimingText(INT32_MIN, Language::English), "2147483647 ms early");

    const std::vector<std::int32_t> late(20, 12);
    TimingReport report = MakeTimingReport(late, 10);
    ASSERT_EQ(report.offer, 22);
    EXPECT_EQ(OfferLine(report, Language::Japanese), "F4: オフセットを 22 ms にする");
    report.offerTaken = true;
    EXPECT_EQ(OfferLine(report, Language::English), "Offset set to 22 ms");
    const std::array<std::string, 4> lines = TimingLines(report.summary, Language::English);
    EXPECT_EQ(lines[0], "Median 12 ms late");
    EXPECT_EQ(lines[2], "Spread (IQR) 0 ms");
    EXPECT_EQ(lines[3], "Presses 20");

    // At the end of the range the offset cannot move further: nothing is offered.
    EXPECT_EQ(MakeTimingReport(late, 300).offer, std::nullopt);
    EXPECT_EQ(OfferLine(MakeTimingReport(late, 300), Language::English), "");
    EXPECT_EQ(MakeTimingReport({}, 0).summary.count, 0u);
}

} // namespace
} // namespace tf

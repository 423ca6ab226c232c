#include "app/screens/PresentPacing.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

using std::chrono::microseconds;

TEST(PresentPacingTest, ShowsAtMostOncePerRefreshAndTakesSixtyHertzWhenTheRateIsUnknown) {
    EXPECT_EQ(RefreshInterval(60.0), microseconds(16667));
    EXPECT_EQ(RefreshInterval(144.0), microseconds(6944));
    EXPECT_EQ(RefreshInterval(0.0), microseconds(16667));
    EXPECT_EQ(RefreshInterval(1.0), microseconds(16667));

    PresentPacing pacing;
    const auto start = PresentPacing::Clock::now();
    EXPECT_EQ(pacing.waitBeforeShowing(start), microseconds(0)); // nothing shown yet
    pacing.shown(start);
    EXPECT_EQ(pacing.waitBeforeShowing(start + microseconds(1000)), microseconds(15667));
    EXPECT_EQ(pacing.waitBeforeShowing(start + microseconds(20000)), microseconds(0));
}

} // namespace
} // namespace tf

#include "app/screens/PresentPacing.h"

#include <algorithm>
#include <cmath>

namespace tf {

std::chrono::microseconds RefreshInterval(double hertz) {
    // Below 20 Hz is no display a game runs on; a driver that says 1 means "the default".
    const double rate = std::isfinite(hertz) && hertz >= 20.0 && hertz <= 1000.0 ? hertz : 60.0;
    return std::chrono::microseconds(std::lround(1e6 / rate));
}

std::chrono::microseconds PresentPacing::waitBeforeShowing(Clock::time_point now) const {
    const auto since = std::chrono::duration_cast<std::chrono::microseconds>(now - lastShown);
    return std::max(interval - since, std::chrono::microseconds::zero());
}

} // namespace tf

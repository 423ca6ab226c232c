#include "song/SongTime.h"

#include <cmath>

namespace tf {

std::int32_t TruncToInt32(double value) {
    // The comparisons are false for NaN, which therefore lands on INT32_MIN as well.
    if (value > -2147483649.0 && value < 2147483648.0) {
        return static_cast<std::int32_t>(value);
    }
    return INT32_MIN;
}

std::int32_t DeltaToMs(std::int32_t tempo, std::int32_t delta, std::int32_t division) {
    // The order of the operations is part of the result: the chart and the pump must round alike.
    return TruncToInt32(((static_cast<double>(tempo) * static_cast<double>(delta)) * timeFactor) /
                        static_cast<double>(division));
}

std::int32_t FirstDeltaToMs(std::int32_t tempo, std::int32_t delta, std::int32_t division) {
    const std::int32_t perTick =
        TruncToInt32((static_cast<double>(tempo) * timeFactor) / static_cast<double>(division));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(delta) * static_cast<std::uint32_t>(perTick));
}

std::int32_t LeadTime(std::int32_t tempo, double speedMultiplier) {
    return TruncToInt32(static_cast<double>(tempo) / (speedMultiplier * 100.0));
}

} // namespace tf

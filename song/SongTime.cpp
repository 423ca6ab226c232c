#include "song/SongTime.h"

#include <cmath>

namespace tf {

std::int32_t FirstDeltaToMs(std::int32_t tempo, std::int32_t delta, std::int32_t division) {
    const std::int32_t perTick =
        TruncToInt32((static_cast<double>(tempo) * timeFactor) / static_cast<double>(division));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(delta) * static_cast<std::uint32_t>(perTick));
}

std::int32_t LeadTime(std::int32_t tempo, double speedMultiplier) {
    return TruncToInt32(static_cast<double>(tempo) / (speedMultiplier * 100.0));
}

} // namespace tf

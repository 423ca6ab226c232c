#include "chart/PlayOptions.h"

#include "platform/ParseNumber.h"

namespace tf {

std::optional<double> PlayOptions::ParseSpeed(std::string_view text) {
    const auto speed = ParseNumber<double>(text);
    return speed && IsSpeed(*speed) ? speed : std::nullopt;
}

std::optional<std::int32_t> PlayOptions::ParseLaneCount(std::string_view text) {
    const auto lanes = ParseNumber<std::int32_t>(text);
    return lanes && IsLaneCount(*lanes) ? lanes : std::nullopt;
}

std::optional<std::int32_t> PlayOptions::ParseLevel(std::string_view text) {
    const auto level = ParseNumber<std::int32_t>(text);
    return level && IsLevel(*level) ? level : std::nullopt;
}

std::optional<std::int32_t> PlayOptions::ParseJudgeOffset(std::string_view text) {
    const auto ms = ParseNumber<std::int32_t>(text);
    return ms && IsJudgeOffset(*ms) ? ms : std::nullopt;
}

} // namespace tf

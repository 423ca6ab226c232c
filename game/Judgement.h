#pragma once

#include <cstdint>

namespace tf {

/// Judgement indices, best first.
enum Judgement : std::int32_t { Perfect = 0, Great = 1, Good = 2, Ok = 3, Bad = 4 };

/// The judgement of a press `distance` ms away from its note: 0-10 PERFECT, 11-50 GREAT,
/// 51-100 GOOD, 101-150 OK, beyond BAD.
constexpr Judgement JudgeDistance(std::uint32_t distance) {
    if (distance <= 10) {
        return Perfect;
    }
    if (distance <= 50) {
        return Great;
    }
    if (distance <= 100) {
        return Good;
    }
    if (distance <= 150) {
        return Ok;
    }
    return Bad;
}

} // namespace tf

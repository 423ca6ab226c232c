#pragma once

#include "game/JudgeTally.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tf {

/// Everything the result screen writes, worked out from the counters alone.
struct ResultSheet {
    /// PERFECT, GREAT, GOOD, OK, BAD: count and truncated percentage, as printed.
    std::array<std::string, 5> lines;
    /// p(PERFECT) + p(GREAT) in percent, untruncated; 0 when nothing was judged.
    double score = 0.0;
    /// "PRF", "GRT", "GD", "OK" or "BD" for a run that judged something; "AUTO PLAY" after an
    /// AUTO PLAY run; empty when nothing was judged otherwise (no part chosen, or parts without
    /// notes). A run that judged nothing is never graded.
    std::string mark;
};

/// The mark that stands for an AUTO PLAY run on the result screen.
inline constexpr std::string_view AutoPlayMark = "AUTO PLAY";

/// A percentage as the result screen prints it: truncated toward zero, 0 when outside int.
int ShownPercent(double percent);
/// The percentage of `count` in `total`, as (count x (1.0 / total)) x 100.0 in that order, so
/// that 49 of 49 gives 99.99999999999999. A total of 0 gives 0.
double JudgePercent(std::int64_t count, std::int64_t total);
/// The mark for a score in percent; every threshold is passed only when strictly exceeded.
std::string ResultMark(double score);
/// The sheet of a run with these counters; `autoPlay` when the run played itself.
ResultSheet MakeResultSheet(const JudgeTally& tally, bool autoPlay = false);

} // namespace tf

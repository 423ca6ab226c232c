#include "game/ResultSheet.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace tf {

namespace {

// Counts beyond 999 still fit: the widest int32 is 11 characters.
std::string ResultLine(const char* format, std::int32_t count, double percent) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, count, ShownPercent(percent));
    return buffer.data();
}

} // namespace

int ShownPercent(double percent) {
    // |percent| is at most 100 for any count within its total, but counters from elsewhere are
    // not ours to trust, and a double outside int's range must not reach the cast.
    const double truncated = std::trunc(percent);
    return (truncated >= std::numeric_limits<int>::min() && truncated <= std::numeric_limits<int>::max())
               ? static_cast<int>(truncated)
               : 0;
}

double JudgePercent(std::int64_t count, std::int64_t total) {
    if (total == 0) {
        return 0.0;
    }
    const double reciprocal = 1.0 / static_cast<double>(total);
    return (static_cast<double>(count) * reciprocal) * 100.0;
}

std::string ResultMark(double score) {
    if (score > 90) {
        return "PRF";
    }
    if (score > 80) {
        return "GRT";
    }
    if (score > 60) {
        return "GD";
    }
    if (score > 40) {
        return "OK";
    }
    return "BD";
}

ResultSheet MakeResultSheet(const JudgeTally& tally, bool autoPlay) {
    // Summed wide so that no set of counters can overflow the total.
    const std::int64_t total =
        std::int64_t{tally.perfect()} + tally.great() + tally.good() + tally.ok() + tally.bad();
    const double perfect = JudgePercent(tally.perfect(), total);
    const double great = JudgePercent(tally.great(), total);

    ResultSheet sheet;
    sheet.lines = {
        ResultLine("PERFECT   %3d    %3d %%", tally.perfect(), perfect),
        ResultLine("GREAT     %3d    %3d %%", tally.great(), great),
        ResultLine("GOOD      %3d    %3d %%", tally.good(), JudgePercent(tally.good(), total)),
        ResultLine("OK        %3d    %3d %%", tally.ok(), JudgePercent(tally.ok(), total)),
        ResultLine("BAD..     %3d    %3d %%", tally.bad(), JudgePercent(tally.bad(), total)),
    };
    sheet.score = perfect + great;
    // A run that judged nothing has nothing to grade: five zeros must not earn the worst mark.
    if (autoPlay) {
        sheet.mark = AutoPlayMark;
    } else if (total > 0) {
        sheet.mark = ResultMark(sheet.score);
    }
    return sheet;
}

} // namespace tf

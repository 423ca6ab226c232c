#include "game/HitErrors.h"

#include "chart/PlayOptions.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tf {

namespace {

std::int32_t NearestRank(std::span<const std::int32_t> sorted, int percent) {
    const auto rank = static_cast<std::size_t>(
        std::ceil(static_cast<double>(percent) * static_cast<double>(sorted.size()) / 100.0));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

void HitErrors::clear(std::size_t newLimit) {
    errors_.clear();
    limit = std::min(newLimit, errors_.capacity());
    recentSize = 0;
}

void HitErrors::record(std::int32_t errorMs, std::uint32_t now) {
    if (errors_.size() < limit) {
        errors_.push_back(errorMs);
    }
    if (recentSize == recentCount) {
        std::move(recent_.begin() + 1, recent_.end(), recent_.begin());
        --recentSize;
    }
    recent_[recentSize++] = {errorMs, now};
}

HitErrorSummary SummarizeHitErrors(std::span<const std::int32_t> errors) {
    HitErrorSummary summary;
    summary.count = errors.size();
    if (errors.empty()) {
        return summary;
    }
    std::vector<std::int32_t> sorted(errors.begin(), errors.end());
    std::sort(sorted.begin(), sorted.end());
    summary.median = NearestRank(sorted, 50);
    summary.spread = NearestRank(sorted, 75) - NearestRank(sorted, 25);
    const double total = std::accumulate(sorted.begin(), sorted.end(), 0.0);
    summary.mean = total / static_cast<double>(sorted.size());
    constexpr int lowest = -HitErrorSummary::binCount / 2 * HitErrorSummary::binWidth;
    for (const std::int32_t error : sorted) {
        if (error < lowest || error > -lowest) {
            continue;
        }
        const int bin = std::min((error - lowest) / HitErrorSummary::binWidth, HitErrorSummary::binCount - 1);
        ++summary.histogram[static_cast<std::size_t>(bin)];
    }
    return summary;
}

bool OffersCalibration(const HitErrorSummary& summary) {
    return summary.count >= 20 && std::abs(summary.median) > 5 && summary.spread < 40;
}

std::int32_t CalibratedOffset(std::int32_t offsetInForce, const HitErrorSummary& summary) {
    return PlayOptions::ClampJudgeOffset(offsetInForce + summary.median);
}

} // namespace tf

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tf {

/// The signed timing error of each judged press of a play, in ms: press time minus the note's
/// hit time, after the judgement offset (positive: late). Room is made once, before play, so
/// recording in the play loop never allocates; presses past the room are not recorded.
class HitErrors {
public:
    /// Presses the bar during play shows, newest last.
    static constexpr std::size_t recentCount = 20;

    explicit HitErrors(std::size_t capacity) { errors_.reserve(capacity); }

    /// Forgets every error and keeps at most `limit` (never more than the room made) in the play
    /// to come.
    void clear(std::size_t limit);
    void record(std::int32_t errorMs, std::uint32_t now);

    std::span<const std::int32_t> errors() const { return errors_; }
    /// The last `recentCount` errors recorded, oldest first, with the tick each was recorded at.
    struct Recent {
        std::int32_t errorMs = 0;
        std::uint32_t at = 0;
    };
    std::span<const Recent> recent() const { return {recent_.data(), recentSize}; }

private:
    std::vector<std::int32_t> errors_;
    std::size_t limit = 0;
    std::array<Recent, recentCount> recent_{};
    std::size_t recentSize = 0;
};

/// What the result screen and the companion say of a play's errors. Percentiles are nearest-rank
/// (the value at rank ceil(p n / 100) of the sorted errors); all zero when nothing was recorded.
struct HitErrorSummary {
    static constexpr int binWidth = 10;
    static constexpr int binCount = 30;
    std::size_t count = 0;
    std::int32_t median = 0;
    double mean = 0.0;
    /// Interquartile range: the 75th percentile minus the 25th.
    std::int32_t spread = 0;
    /// Errors from -150 to +150 ms in 10 ms bins: bin i holds [-150 + 10 i, -140 + 10 i), the last
    /// one +150 too; errors outside are not counted.
    std::array<std::int32_t, binCount> histogram{};
};

HitErrorSummary SummarizeHitErrors(std::span<const std::int32_t> errors);

/// The offset to offer after a play, or nothing: at least 20 presses were recorded, their median
/// is more than 5 ms from zero and their spread under 40 ms. The offer is the offset in force
/// plus the median, held to the offset range of PlayOptions.
bool OffersCalibration(const HitErrorSummary& summary);
std::int32_t CalibratedOffset(std::int32_t offsetInForce, const HitErrorSummary& summary);

} // namespace tf

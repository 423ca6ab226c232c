#pragma once

#include "app/text/Language.h"
#include "game/HitErrors.h"
#include "game/Judgement.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tf {

/// What the result screen says of a play's timing: the summary of its judged presses' errors and
/// the judgement offset that F4 would set. Worked out once when the play ends.
struct TimingReport {
    /// Count 0 (AUTO PLAY, or nothing judged but BAD): the screen shows nothing of it.
    HitErrorSummary summary;
    /// The offset F4 sets, in ms: the offset the play ran with plus the median error, when the
    /// play offers one (`OffersCalibration`) and it differs from the offset in force.
    std::optional<std::int32_t> offer;
    /// F4 has set `offer`: the line says so instead of offering it.
    bool offerTaken = false;
};

/// The report of a play whose judged presses erred by `errors` ms (positive: late) with the
/// judgement offset `offsetInForce` ms.
TimingReport MakeTimingReport(std::span<const std::int32_t> errors, std::int32_t offsetInForce);

/// The judgement window histogram bin `bin` (0 to `HitErrorSummary::binCount` - 1) stands in:
/// that of the errors at its middle, which is the window of most of its ten milliseconds (the
/// bin [10, 20) holds PERFECT's edge, 10, but nine GREATs).
Judgement BinJudgement(int bin);

/// "12 ms late", "8 ms early", "on time" (Japanese: "12 ms 遅い", "8 ms 早い", "ぴったり").
std::string TimingText(std::int32_t errorMs, Language language);
/// The lines written beside the histogram: the median, the mean (rounded to the nearest ms),
/// the spread and the number of presses.
std::array<std::string, 4> TimingLines(const HitErrorSummary& summary, Language language);
/// The line under the histogram: the offer ("F4: set offset to X ms"), its confirmation once
/// taken ("Offset set to X ms"), or empty when there is neither.
std::string OfferLine(const TimingReport& report, Language language);

} // namespace tf

#include "app/screens/TimingReport.h"

#include "app/text/Texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tf {

TimingReport MakeTimingReport(std::span<const std::int32_t> errors, std::int32_t offsetInForce) {
    TimingReport report;
    report.summary = SummarizeHitErrors(errors);
    if (OffersCalibration(report.summary)) {
        // At the end of the range the offer can be the offset already in force: nothing to offer.
        const std::int32_t offset = CalibratedOffset(offsetInForce, report.summary);
        if (offset != offsetInForce) {
            report.offer = offset;
        }
    }
    return report;
}

Judgement BinJudgement(int bin) {
    const int middle = -HitErrorSummary::binCount / 2 * HitErrorSummary::binWidth +
                       bin * HitErrorSummary::binWidth + HitErrorSummary::binWidth / 2;
    return JudgeDistance(static_cast<std::uint32_t>(middle < 0 ? -middle : middle));
}

std::string TimingText(std::int32_t errorMs, Language language) {
    if (errorMs == 0) {
        return std::string(Text(TextId::OnTime, language));
    }
    // Widened before the sign is dropped: the most negative int32 has no positive twin.
    const long long magnitude = std::llabs(static_cast<long long>(errorMs));
    const int shown = static_cast<int>(std::min<long long>(magnitude, std::numeric_limits<int>::max()));
    return FormatText(errorMs > 0 ? TextId::LateFormat : TextId::EarlyFormat, language, shown);
}

std::array<std::string, 4> TimingLines(const HitErrorSummary& summary, Language language) {
    // The mean of int32 errors stays within their range; rounded half away from zero.
    const auto mean = static_cast<std::int32_t>(std::lround(summary.mean));
    const auto line = [](std::string_view label, const std::string& value) {
        return std::string(label) + " " + value;
    };
    return {
        line(Text(TextId::MedianLabel, language), TimingText(summary.median, language)),
        line(Text(TextId::MeanLabel, language), TimingText(mean, language)),
        line(Text(TextId::SpreadLabel, language), std::to_string(summary.spread) + " ms"),
        line(Text(TextId::PressCountLabel, language), std::to_string(summary.count)),
    };
}

std::string OfferLine(const TimingReport& report, Language language) {
    if (!report.offer) {
        return {};
    }
    return FormatText(report.offerTaken ? TextId::OffsetSetFormat : TextId::OfferFormat, language,
                      *report.offer);
}

} // namespace tf

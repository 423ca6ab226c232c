#pragma once

#include <cstdint>

namespace tf {

/// Microseconds to milliseconds: 1/1000 cut to 30 binary fraction digits (bits 3F50624D00000000),
/// a little less than 0.001. Every tick conversion of the pump and the chart uses it, so the two
/// stay in step to the millisecond.
inline constexpr double timeFactor = 1073741.0 / 1073741824.0;

/// Truncates toward zero like the x86 conversion instruction: a value outside the 32-bit range
/// (or NaN) gives INT32_MIN instead of undefined behaviour.
inline std::int32_t TruncToInt32(double value) {
    // The comparisons are false for NaN, which therefore lands on INT32_MIN as well.
    if (value > -2147483649.0 && value < 2147483648.0) {
        return static_cast<std::int32_t>(value);
    }
    return INT32_MIN;
}

/// Milliseconds of a delta read after an event: trunc(((tempo * delta) * timeFactor) / division).
/// Inline: the pump and the chart builder call it for every event they step over.
inline std::int32_t DeltaToMs(std::int32_t tempo, std::int32_t delta, std::int32_t division) {
    // The order of the operations is part of the result: the chart and the pump must round alike.
    return TruncToInt32(((static_cast<double>(tempo) * static_cast<double>(delta)) * timeFactor) /
                        static_cast<double>(division));
}

/// Milliseconds of a track's first delta: the per-tick factor is cut to whole milliseconds
/// first, so at tempo 500000 and division 480 a first delta of 480 ticks counts 480 ms.
/// The multiplication wraps modulo 2^32 as 32-bit integer arithmetic does.
std::int32_t FirstDeltaToMs(std::int32_t tempo, std::int32_t delta, std::int32_t division);

/// The time a note falls before it reaches the judgement line, and the delay of the music:
/// trunc(tempo / (speedMultiplier * 100.0)) ms, 5000 at tempo 500000 and x1.0.
std::int32_t LeadTime(std::int32_t tempo, double speedMultiplier);

/// Signed 32-bit addition that wraps instead of overflowing.
constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

} // namespace tf

#pragma once

#include <cstdint>

namespace tf {

/// Microseconds to milliseconds: 1/1000 cut to 30 binary fraction digits (bits 3F50624D00000000),
/// a little less than 0.001. Every tick conversion of the pump and the chart uses it, so the two
/// stay in step to the millisecond.
inline constexpr double timeFactor = 1073741.0 / 1073741824.0;

/// Truncates toward zero like the x86 conversion instruction: a value outside the 32-bit range
/// (or NaN) gives INT32_MIN instead of undefined behaviour.
std::int32_t TruncToInt32(double value);

/// Milliseconds of a delta read after an event: trunc(((tempo * delta) * timeFactor) / division).
std::int32_t DeltaToMs(std::int32_t tempo, std::int32_t delta, std::int32_t division);

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

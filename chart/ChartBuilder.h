#pragma once

#include "chart/ChartStorage.h"
#include "chart/PlayOptions.h"
#include "song/Song.h"

#include <array>
#include <cstdint>

namespace tf {

/// What a chart build did.
enum class [[nodiscard]] ChartResult{Built, Overflow};

/// Turns the notes of the chosen channels (bit n of `partMask`: channel n) into the chart:
/// sets `soundedChannels` (false for the player's parts), walks every track once pass by pass,
/// gives each key a lane for `options.laneCount()` and chains chords by `options.level()`.
/// `tempo` is the tempo in force when the walk starts (microseconds per quarter note).
/// Overflow when a capacity was reached: the chart must not be played.
ChartResult BuildChart(const Song& song, std::int32_t tempo, const PlayOptions& options,
                       std::uint32_t partMask, ChartStorage& chart, std::array<bool, 16>& soundedChannels);

} // namespace tf

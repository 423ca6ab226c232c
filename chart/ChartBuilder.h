#pragma once

#include "chart/ChartStorage.h"
#include "chart/PlayOptions.h"
#include "song/MidiSequencer.h"

#include <array>
#include <cstdint>

namespace tf {

/// Turns the notes of the chosen channels (bit n of `partMask`: channel n) into the chart:
/// sets `soundedChannels` (false for the player's parts), walks every track once pass by pass,
/// gives each key a lane for `options.laneCount()` and chains chords by `options.level()`.
/// Returns true when a capacity was reached: the chart must not be played.
bool BuildChart(const MidiSequencer& song, const PlayOptions& options, std::uint32_t partMask,
                ChartStorage& chart, std::array<bool, 16>& soundedChannels);

} // namespace tf

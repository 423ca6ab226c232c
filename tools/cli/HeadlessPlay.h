#pragma once

#include "game/GamePlay.h"
#include "platform/Clock.h"
#include "platform/KeyLatch.h"
#include "tools/cli/PressScript.h"

#include <cstdint>

namespace tf::cli {

/// How a song is played without a window.
struct GameRun {
    /// The player's parts: bit n is channel n.
    std::uint32_t partMask = 0;
    bool autoPlay = false;
    /// HIGH SPEED: 1.0, 1.5, 2.0 or 3.0.
    double speed = 1.0;
    /// KEY mode (5, 7 or 15 lanes) and LEVEL (1 or 2).
    std::int32_t laneCount = 7;
    std::int32_t level = 2;
    /// The judgement offset, ms.
    std::int32_t offset = 0;
    /// The run stops before the first pass at which the clock stands more than `maxMs` past
    /// `startTick`.
    std::uint32_t startTick = 0;
    std::uint32_t maxMs = 3600000;
};

/// Stores the options of `run` in `game` and builds the chart of its parts. An overflowed
/// chart must not be played.
ChartResult PrepareChart(GamePlay& game, const GameRun& run);

/// Plays the loaded song as the play thread does, with `clock` being the game's clock and `keys`
/// the latch the game reads: prepares the chart, resets the records (which rewinds the song),
/// then repeats one pump pass and one play frame (which ends with its 1 ms sleep) until the pump
/// ends the song. Before each frame the `presses` the song time has reached are latched. False,
/// with nothing played, when the chart overflowed.
bool PlayGame(GamePlay& game, Clock& clock, KeyLatch& keys, const GameRun& run, PressScript& presses);

/// Previews `channel` (0 to 15) of the loaded song as the part-selection dialog does: the
/// passes that fast-forward to the channel's first note take no time, every later pass one
/// virtual millisecond. Stops when the pump ends the song or at the limit of `run`.
void PlayPreview(GamePlay& game, Clock& clock, int channel, const GameRun& run);

} // namespace tf::cli

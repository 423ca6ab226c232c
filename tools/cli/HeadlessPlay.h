#pragma once

#include "game/GamePlay.h"
#include "platform/Clock.h"

#include <cstdint>

namespace tf::cli {

/// How a song is played without a window.
struct GameRun {
    /// The player's parts: bit n is channel n. Nobody presses their keys.
    std::uint32_t partMask = 0;
    bool autoPlay = false;
    /// HIGH SPEED: 1.0, 1.5, 2.0 or 3.0.
    double speed = 1.0;
    /// The run stops before the first pass at which the clock stands more than `maxMs` past
    /// `startTick`.
    std::uint32_t startTick = 0;
    std::uint32_t maxMs = 3600000;
};

/// Plays the loaded song as the game does, with `clock` being the game's clock: stores the
/// options, makes the chosen parts the player's, puts the song at its start, then runs the play
/// thread's loop (one pump pass, then one virtual millisecond) until the pump ends the song.
void PlayGame(GamePlay& game, Clock& clock, const GameRun& run);

/// Previews `channel` (0 to 15) of the loaded song as the part-selection dialog does: the
/// passes that fast-forward to the channel's first note take no time, every later pass one
/// virtual millisecond. Stops when the pump ends the song or at the limit of `run`.
void PlayPreview(GamePlay& game, Clock& clock, int channel, const GameRun& run);

} // namespace tf::cli

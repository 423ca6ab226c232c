#pragma once

#include <array>

namespace tf {

/// What the pump reads from the game at each pass: which channels it sounds and the two play
/// options it looks at.
struct PumpContext {
    /// Per MIDI channel: true, the pump sends its notes; false, it is a player's part.
    const std::array<bool, 16>& soundedChannels;
    bool autoPlay;
    double speedMultiplier;
};

} // namespace tf

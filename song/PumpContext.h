#pragma once

#include <array>
#include <atomic>

namespace tf {

/// What the pump reads from the game at each pass: which channels it sounds and the two play
/// options it looks at, plus the two flags it writes.
struct PumpContext {
    /// Per MIDI channel: true, the pump sends its notes; false, it is a player's part.
    const std::array<bool, 16>& soundedChannels;
    bool autoPlay;
    double speedMultiplier;
    /// Set by a preview until its first note; the pump clears it.
    std::atomic<bool>& previewWaiting;
    /// Set by the pass that ends the song.
    std::atomic<bool>& songFinished;
};

} // namespace tf

#pragma once

#include <array>

namespace tf {

/// What the pump reads from the game at each pass: which channels it sounds, the two play
/// options it looks at, and how a game meets the song's end.
struct PumpContext {
    /// Per MIDI channel: true, the pump sends its notes; false, it is a player's part.
    const std::array<bool, 16>& soundedChannels;
    bool autoPlay;
    double speedMultiplier;
    /// Game mode only. False: the pass that meets the last End of Track waits 500 ms itself and
    /// ends the song. True: the caller's play frames go on running through the end: that pass and
    /// the later ones return true, sending nothing, until a pass at least 500 ms later finds
    /// `notesPending` false; that pass ends the song.
    bool framesRunThroughEnd = false;
    /// Some note of the chart can still be pressed in time or missed, so the song may not end yet.
    bool notesPending = false;
};

} // namespace tf

#pragma once

#include <cstdint>
#include <vector>

namespace tf::bench {

/// A format 1 song of about 1 MB, byte for byte the same on every run: a conductor track with a
/// tempo change every four bars, a time signature, markers and a GM reset, then fifteen tracks,
/// one per channel 0 to 14. Channels 2 to 14 play a three-note chord on every sixteenth note,
/// closed by note-ons of velocity 0 under running status, with a controller and a pitch bend
/// at every bar, a channel pressure every four bars and an exclusive message on some tracks
/// every 32 bars. Channels 0 and 1 are the player's parts (`denseSongPlayerParts`): a melody on
/// every sixteenth and a bass note on every quarter, closed by note-offs, on seven keys only, so
/// that a 7-lane chart of them stays under 999 notes per key and per lane.
struct DenseSong {
    std::vector<std::uint8_t> bytes;
    /// Song time of the end of the last track, ms (the tempo map summed; no lead time).
    std::uint32_t lengthMs = 0;
    /// Note-ons of non-zero velocity of channels 0 and 1 together.
    std::int32_t playerNotes = 0;
};

/// `buildChart` mask of the player's parts of the dense song: channels 0 and 1.
inline constexpr std::uint32_t denseSongPlayerParts = 0x0003;

DenseSong MakeDenseSong();

} // namespace tf::bench

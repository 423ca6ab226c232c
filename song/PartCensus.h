#pragma once

#include "song/MidiOutDevice.h"
#include "song/Song.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tf {

/// What one walk of the whole song finds: the note-ons with a non-zero velocity of each of the
/// sixteen channels, and every program change and channel pressure met, in walk order.
struct PartCensus {
    /// A two-byte message as met: the status in force and its data byte.
    struct PassedOn {
        std::uint8_t status = 0;
        std::uint8_t data1 = 0;
    };
    std::array<std::int32_t, 16> notes{};
    std::vector<PassedOn> passedOn;
};

/// Walks every track with cursors of its own, one event per unended track per pass, so the
/// tracks go side by side by event count; that order is the order of `passedOn`. Leaves the
/// song's playback state alone.
PartCensus TakePartCensus(const Song& song);

/// The census of each loaded song, walked once: the first call after a load walks once for all
/// sixteen channels, and every call, that one included, passes every program change and channel
/// pressure of the walk to `out` (as `sendShort(status, data1, 0)`, in walk order) and returns
/// the count of note-ons with a non-zero velocity of `channel`. Returns -1 for a channel outside
/// 0 to 15, sending nothing. A new load or a release of the song starts afresh.
class PartCensusCache {
public:
    std::int32_t countPartNotes(const Song& song, MidiOutDevice& out, int channel);

private:
    PartCensus census;
    /// The `Song::generation` the census was taken of; none before the first walk.
    std::uint64_t generation = 0;
    bool taken = false;
};

} // namespace tf

#pragma once

#include "chart/LaneEntry.h"
#include "chart/Note.h"

#include <array>
#include <cstdint>

namespace tf {

/// The whole chart, of fixed capacity, allocated once with the game and overwritten by every
/// build. A build fails as soon as a count reaches its capacity, so an accepted chart has at
/// most 999 notes per key, 32767 in all and 999 entries per lane.
struct ChartStorage {
    static constexpr int keyCount = 128;
    static constexpr int notesPerKey = 1000;
    static constexpr int orderCapacity = 32768;
    static constexpr int maxLanes = 15;
    static constexpr int entriesPerLane = 1000;

    /// Per key number, its notes in the order the builder read their note-ons.
    std::array<std::array<Note, notesPerKey>, keyCount> pitchNotes;
    std::array<std::int32_t, keyCount> pitchNoteCount{};
    /// Every stored note once, in the order the builder read its note-on.
    std::array<LaneEntry, orderCapacity> noteOrder;
    std::int32_t noteOrderCount = 0;
    /// Per lane, its notes in `noteOrder` order, with the chord chains.
    std::array<std::array<LaneEntry, entriesPerLane>, maxLanes> laneEntries;
    std::array<std::int32_t, maxLanes> laneEntryCount{};
    /// Per key number, the lane the build dealt it (-1: the key has no notes). A note of a chord
    /// may be moved into its leader's lane afterwards; this stays the key's own lane.
    std::array<std::int8_t, keyCount> keyLane{};
    /// The song time (ms, on the play clock, lead time included) at which the song's last event
    /// plays: the length a progress display measures against. 0 before a build.
    std::uint32_t songEnd = 0;
    /// Per lane, the next entry whose note has not yet passed the judgement line.
    std::array<std::int32_t, maxLanes> laneCursor{};

    Note& note(const LaneEntry& entry) {
        return pitchNotes[static_cast<std::size_t>(entry.pitch)][static_cast<std::size_t>(entry.index)];
    }
    const Note& note(const LaneEntry& entry) const {
        return pitchNotes[static_cast<std::size_t>(entry.pitch)][static_cast<std::size_t>(entry.index)];
    }
};

} // namespace tf

#pragma once

#include <cstdint>

namespace tf {

/// A reference to one chart note: `pitchNotes[pitch][index]`.
struct LaneEntry {
    std::int32_t pitch = 0;
    std::int32_t index = 0;
    /// In a lane list only: the next entry of the lane sounds with the same press.
    bool chordFollows = false;
};

} // namespace tf

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tf {

/// One press the play frame took: the song time (ms) it was judged at and its lane.
struct LoggedPress {
    std::uint32_t ms = 0;
    std::int32_t lane = 0;
};

/// Every press of a play, judged or stray, from the computer keyboard and a MIDI keyboard alike,
/// in the order the play frame took them: what a replay presses again. Room is made once, before
/// play, so recording in the play loop never allocates; presses past the room are counted, not
/// kept, and the replay is then known to be incomplete.
class PressLog {
public:
    /// Room for an hour of steady presses at five a second, a little over half a megabyte.
    static constexpr std::size_t capacity = 1 << 16;

    PressLog() { presses_.reserve(capacity); }

    void clear() {
        presses_.clear();
        dropped_ = 0;
    }
    void record(std::uint32_t ms, std::int32_t lane) {
        if (presses_.size() < capacity) {
            presses_.push_back({ms, lane});
        } else {
            ++dropped_;
        }
    }

    std::span<const LoggedPress> presses() const { return presses_; }
    /// Presses taken after the room ran out.
    std::size_t dropped() const { return dropped_; }

private:
    std::vector<LoggedPress> presses_;
    std::size_t dropped_ = 0;
};

} // namespace tf

#pragma once

#include "game/KeyBindings.h"
#include "platform/KeyLatch.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf::cli {

/// One scripted key press: lane `lane`'s key goes down at song time `ms`.
struct Press {
    std::uint32_t ms = 0;
    int lane = 0;
};

/// The presses of a headless run, handed to the game's key latch as the song reaches them.
class PressScript {
public:
    PressScript() = default;
    /// The presses in any order; they are delivered in time order.
    explicit PressScript(std::vector<Press> presses);

    /// Latches the primary key of the lane of every press at or before `songTime` (ms) that was
    /// not delivered yet. Presses on one lane in one call fall on one latch, so they count once,
    /// as a player's key does between two frames.
    void deliverUpTo(std::uint32_t songTime, const KeyBindings& bindings, KeyLatch& latch);

private:
    std::vector<Press> presses;
    std::size_t next = 0;
};

/// What reading a press file gave: the presses, or the reason it is unusable.
struct ParsedPresses {
    std::optional<PressScript> script;
    std::string error;
};

/// Reads lines "<ms> <lane>" (decimal, separated by blanks; ms 0 to 4294967295, lane 0 to 14).
/// Blank lines and lines starting with '#' are skipped; a CR before the line end is allowed.
/// An error names the line by its number, from 1.
ParsedPresses ParsePresses(std::string_view text);

} // namespace tf::cli

#pragma once

#include "tools/cli/PressPlayer.h"
#include "tools/cli/StampingPort.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace tf::cli {

/// What matching presses to the sound they made gave.
struct PressAnswers {
    /// Microseconds from each answered press's latch to its note-on, in press order.
    std::vector<double> micros;
    /// Presses that no note-on answered within the limit.
    std::size_t unanswered = 0;
};

/// Finds for each press, in latch order, the first note-on of non-zero velocity that the play
/// frame sent at or after the latch and at most `limitMicros` later, each note-on answering one
/// press at most. Meant for plays without AUTO PLAY, where only presses make the frame sound.
PressAnswers MatchPresses(const std::vector<LatchedPress>& presses,
                          const std::deque<StampingPort::Stamp>& stamps, std::int64_t limitMicros);

} // namespace tf::cli

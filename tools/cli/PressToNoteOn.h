#pragma once

#include "tools/cli/PressPlayer.h"
#include "tools/cli/StampingPort.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace tf::cli {

/// What matching presses to the sound they made gave, for the presses made one way.
struct PressAnswers {
    /// Microseconds from each answered press's latch to its note-on, in latch order.
    std::vector<double> micros;
    /// Presses that no note-on answered within the limit.
    std::size_t unanswered = 0;
};

/// The answers to the key presses and to the MIDI ones.
struct PressAnswersByWay {
    PressAnswers keyboard;
    PressAnswers midi;
};

/// Finds for each press, in latch order, the first note-on of non-zero velocity that the play
/// frame sent at or after the latch and at most `limitMicros` later, each note-on answering one
/// press at most, whichever way the press came. Meant for plays without AUTO PLAY, where only
/// presses make the frame sound.
PressAnswersByWay MatchPresses(const std::vector<LatchedPress>& presses,
                               const std::deque<StampingPort::Stamp>& stamps, std::int64_t limitMicros);

} // namespace tf::cli

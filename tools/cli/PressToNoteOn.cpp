#include "tools/cli/PressToNoteOn.h"

#include <algorithm>

namespace tf::cli {

PressAnswersByWay MatchPresses(const std::vector<LatchedPress>& presses,
                               const std::deque<StampingPort::Stamp>& stamps, std::int64_t limitMicros) {
    // With AUTO PLAY off the frame sends a sounding note-on only for a press; which note the
    // press played is the game's choice (the nearer of two notes, a chord's whole chain), so
    // any of them answers it.
    std::vector<std::int64_t> noteOns;
    for (const StampingPort::Stamp& stamp : stamps) {
        if (stamp.sender == Sender::Frame && !stamp.isLong && (stamp.status & 0xF0) == 0x90 &&
            stamp.data2 != 0) {
            noteOns.push_back(stamp.micros);
        }
    }
    std::sort(noteOns.begin(), noteOns.end());
    std::vector<const LatchedPress*> latches;
    for (const LatchedPress& press : presses) {
        latches.push_back(&press);
    }
    std::stable_sort(latches.begin(), latches.end(),
                     [](const LatchedPress* a, const LatchedPress* b) { return a->micros < b->micros; });

    PressAnswersByWay answers;
    std::size_t next = 0;
    for (const LatchedPress* latch : latches) {
        PressAnswers& way = latch->via == PressVia::Midi ? answers.midi : answers.keyboard;
        while (next < noteOns.size() && noteOns[next] < latch->micros) {
            ++next;
        }
        if (next < noteOns.size() && noteOns[next] - latch->micros <= limitMicros) {
            way.micros.push_back(static_cast<double>(noteOns[next] - latch->micros));
            ++next;
        } else {
            ++way.unanswered;
        }
    }
    return answers;
}

} // namespace tf::cli

#pragma once

#include "game/GamePlay.h"
#include "platform/Clock.h"
#include "platform/KeyLatch.h"
#include "tools/cli/SampleSummary.h"
#include "tools/cli/StampingPort.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tf::cli {

/// What a timed play measured. Spans are in milliseconds.
struct TimingReport {
    /// The player's parts: bit n is channel n.
    std::uint32_t partMask = 0;
    /// How long the play ran, by the monotonic clock.
    double seconds = 0.0;
    /// Tick sent minus tick due, of every message the pump sent.
    SampleSummary lateness;
    /// Between the starts of successive rounds of pump pass and play frame.
    SampleSummary loopPeriod;
    /// From a key press latched by another thread to the note-on the play frame sent for it.
    SampleSummary pressToNoteOn;
    /// The process's CPU time (user and system) over the play, in percent of one core.
    double cpuPercent = 0.0;
    /// Pump messages that no due event accounted for; 0 unless the pump did something unforeseen.
    std::size_t unattributed = 0;
    std::size_t pressesMade = 0;
    /// Presses for which no note-on came within 100 ms.
    std::size_t unanswered = 0;
};

/// The mask of the channel with the most notes (the lowest channel on a tie; channel 0 when
/// the song has no notes).
std::uint32_t BusiestPart(GamePlay& game);

/// Plays the loaded song of `game` as the play thread does, in real time on `clock` (the
/// game's own), with `port` being the game's output and `keys` the latch it reads: AUTO PLAY
/// off, a chart of `partMask`, and another thread pressing every note of it at its hit time.
/// Stops after `seconds` or at the song's end. Null, with nothing played, when the chart
/// overflowed.
std::optional<TimingReport> MeasurePlay(GamePlay& game, Clock& clock, KeyLatch& keys, StampingPort& port,
                                        std::uint32_t partMask, std::uint32_t seconds);

/// The report as a table for people, ending in a newline; `file` names the song.
std::string FormatTimingTable(const TimingReport& report, std::string_view file);

} // namespace tf::cli

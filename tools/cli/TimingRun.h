#pragma once

#include "game/GamePlay.h"
#include "game/MidiLaneLatch.h"
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
    /// The same for the song's sounding note-ons alone (0x9n of velocity above 0): what the ear
    /// hears late.
    SampleSummary noteOnLateness;
    /// Between the starts of successive rounds of pump pass and play frame.
    SampleSummary loopPeriod;
    /// From a key press latched by another thread to the note-on the play frame sent for it.
    SampleSummary pressToNoteOn;
    /// From a MIDI note-on delivered by another thread to the note-on the play frame sent for
    /// it; meaningful only when `midiMeasured`.
    SampleSummary midiPressToNoteOn;
    /// False when the play frame could not read a MIDI keyboard, so no MIDI press was made.
    bool midiMeasured = false;
    /// The process's CPU time (user and system) over the play, in percent of one core.
    double cpuPercent = 0.0;
    /// Pump messages that no due event accounted for; 0 unless the pump did something unforeseen.
    std::size_t unattributed = 0;
    /// Key and MIDI presses together.
    std::size_t pressesMade = 0;
    /// Presses for which no note-on came within 100 ms.
    std::size_t unanswered = 0;
};

/// How a timed play runs.
struct TimingSettings {
    /// The player's parts: bit n is channel n.
    std::uint32_t partMask = 1;
    /// The longest the play runs, in seconds of real time.
    std::uint32_t seconds = 20;
    /// Draw in every frame, rather than only once the window has shown the last picture, as the
    /// game does; the window is a 60 Hz display here.
    bool drawEveryFrame = false;
};

/// The mask of the channel with the most notes (the lowest channel on a tie; channel 0 when
/// the song has no notes).
std::uint32_t BusiestPart(GamePlay& game);

/// The parts a timed play of `seconds` takes when none are named: of the parts whose chart can
/// be played and whose first note reaches the line within `seconds` of the song's start, the one
/// with the most notes (the lowest channel on a tie), so that the presses begin during the run.
/// When no part starts that early, the playable part with the most notes; when none is
/// playable, BusiestPart. Builds charts of `game` to find out.
std::uint32_t DefaultTimingParts(GamePlay& game, std::uint32_t seconds);

/// Lets the play frame of `game` read `lanes` (null: no longer) beside the keys. False while
/// it cannot: no MIDI press is made then, since one left unanswered would take a key press's
/// note-on when presses are matched to the sound.
bool ConnectMidiLanes(GamePlay& game, MidiLaneLatch* lanes);

/// Plays the loaded song of `game` as the play thread does, in real time on `clock` (the
/// game's own), with `port` being the game's output and `keys` the latch it reads: AUTO PLAY
/// off, a chart of the settings' parts, and another thread pressing every note of it at its hit
/// time, every second press as a MIDI note-on when the frame reads a MIDI keyboard. Stops
/// after the settings' seconds or at the song's end. Null, with nothing played, when the chart
/// overflowed.
std::optional<TimingReport> MeasurePlay(GamePlay& game, Clock& clock, KeyLatch& keys, StampingPort& port,
                                        const TimingSettings& settings);

/// The report as a table for people, ending in a newline; `file` names the song.
std::string FormatTimingTable(const TimingReport& report, std::string_view file);

} // namespace tf::cli

#pragma once

#include "chart/ChartStorage.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/ScriptedMidiInput.h"

#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

namespace tf::cli {

/// One press a perfect player makes: lane `lane` at the song time `hitTime` (ms) of a note
/// whose note-on is `status`, `key`.
struct TimedPress {
    std::uint32_t hitTime = 0;
    int lane = 0;
    std::uint8_t status = 0;
    std::uint8_t key = 0;
};

/// One press per note a key press plays (chord followers sound with their leader), in time
/// order; notes off the `laneCount` lanes in play are left out.
std::vector<TimedPress> PressesOf(const ChartStorage& chart, int laneCount);

/// How a press reached the game: a key of the computer's keyboard, or a note-on of a MIDI one.
enum class PressVia : std::uint8_t { Keyboard, Midi };

/// A press as it was made: what was pressed, how and when, on the monotonic clock (microseconds).
struct LatchedPress {
    TimedPress press;
    std::int64_t micros = 0;
    PressVia via = PressVia::Keyboard;
};

/// A second thread that plays like the window's thread does: it latches each press's primary
/// key when the song time reaches its hit time. Given a MIDI input, it plays every second press
/// on it instead, as a note-on of the press's note, the way a MIDI keyboard's own thread
/// delivers it. It stops when asked or when the presses run out; `stop` joins it.
class PressPlayer {
public:
    PressPlayer(GamePlay& game, KeyLatch& latch, std::vector<TimedPress> presses,
                ScriptedMidiInput* midi = nullptr);
    ~PressPlayer() { stop(); }
    PressPlayer(const PressPlayer&) = delete;
    PressPlayer& operator=(const PressPlayer&) = delete;

    void start();
    void stop();
    /// The presses made; read only after `stop`.
    const std::vector<LatchedPress>& latched() const { return made; }

private:
    void run(const std::stop_token& stopping);

    GamePlay& game;
    KeyLatch& latch;
    ScriptedMidiInput* midi;
    std::vector<TimedPress> presses;
    std::vector<LatchedPress> made;
    std::jthread thread;
};

} // namespace tf::cli

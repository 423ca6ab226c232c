#pragma once

#include "app/midi/MidiInputChoice.h"
#include "game/MidiLaneLatch.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

struct ChartStorage;
class MidiInput;

/// A MIDI keyboard that plays the lanes: the input it listens on, the "MIDI input" menu that
/// picks its port, and the latch its note-ons press for the play frame. Window thread only,
/// except that the input's own thread presses the latch.
class MidiKeyboard {
public:
    MidiKeyboard() = default;
    /// Lets go of the port.
    ~MidiKeyboard();
    MidiKeyboard(const MidiKeyboard&) = delete;
    MidiKeyboard& operator=(const MidiKeyboard&) = delete;

    /// Takes the input (null: none), letting go of the previous one, and connects the port the
    /// `--midi-in` word `choice` picks (ChooseMidiInput). False when `choice` named a port that
    /// could not be connected.
    bool use(std::unique_ptr<MidiInput> input, std::string_view choice);
    /// The menu as it stands now: the ports there are, then `noneItem`, the one in use checked.
    /// A port that has gone (unplugged) is let go of here.
    MidiInputMenu menu(std::string_view noneItem, std::size_t maxItems);
    /// Item `item` of the last menu was picked: its port is connected, or "None" lets go.
    void choose(std::size_t item);
    /// Lets go of the port; the input stays, to be connected again from the menu.
    void close();

    /// A new chart is about to be played: its keys' lanes. No play thread runs; the input's
    /// thread may, and finds each key's old lane or its new one.
    void dealLanes(const ChartStorage& chart);
    /// Like the computer's keys, notes played before a run (or while it was paused) do not
    /// count in it.
    void clearPresses() { lanes_.clear(); }
    /// The lane presses, for the play frame.
    MidiLaneLatch& lanes() { return lanes_; }

private:
    // The input after the latch it writes into, so that it stops before the latch goes.
    MidiLaneLatch lanes_;
    std::unique_ptr<MidiInput> input;
    /// The ports of the last menu made, which the menu's items refer to.
    std::vector<std::string> menuPorts;
};

} // namespace tf

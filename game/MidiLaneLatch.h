#pragma once

#include "chart/ChartStorage.h"
#include "platform/MidiInput.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace tf {

/// Note-ons of a MIDI keyboard turned into lane presses: key k presses the lane that the chart
/// being played gave key k. Filled from the MIDI input's thread, emptied by the play frame,
/// with neither a lock nor an allocation on either side.
class MidiLaneLatch {
public:
    static constexpr int keyCount = ChartStorage::keyCount;
    static constexpr int laneCount = ChartStorage::maxLanes;
    /// Per key number, its lane; -1 for a key that presses nothing.
    using KeyLaneTable = std::array<std::int8_t, keyCount>;

    /// No key has a lane yet.
    MidiLaneLatch();

    /// The table of the chart about to be played. Any thread; a note-on arriving meanwhile
    /// finds its key's old lane or its new one. Entries outside 0 to 14 press nothing.
    void setKeyLanes(const KeyLaneTable& lanes);
    /// The lane key `key` presses now; -1 for none (and for a key outside 0 to 127).
    int laneOf(int key) const;

    /// A note-on from the keyboard, on any thread. Velocity 0 (a note-off) and keys without a
    /// lane or outside 0 to 127 press nothing; a velocity above 0 is otherwise not looked at.
    void noteOn(int key, int velocity);
    /// True when `lane` was pressed since the last call for it; the call consumes the press.
    /// False for a lane outside 0 to 14.
    bool takePress(int lane);
    /// Forgets every press not yet taken.
    void clear();

private:
    std::array<std::atomic<std::int8_t>, keyCount> keyLanes;
    std::array<std::atomic<bool>, laneCount> pressed{};
};

/// A MIDI input's note handler that presses `lanes` with the input's note-ons.
MidiInput::NoteHandler LanePresser(MidiLaneLatch& lanes);

/// The lane the chart builder dealt each key number (before any note of a chord was moved into
/// its leader's lane); -1 for a key without notes in the chart.
MidiLaneLatch::KeyLaneTable KeyLanes(const ChartStorage& chart);

} // namespace tf

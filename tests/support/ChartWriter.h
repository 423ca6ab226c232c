#pragma once

#include "chart/ChartStorage.h"

#include <cstdint>

namespace tf::test {

/// How a hand-written note sounds and chains; the defaults are a closed note of 200 ms.
struct NoteShape {
    std::int32_t length = 200;
    /// Off: no message ends the note, as with a note-on that nothing in the file closed.
    bool closed = true;
    std::uint8_t offVelocity = 64;
    /// The lane's next entry sounds with the same press.
    bool chordFollows = false;
    bool chordFollower = false;
};

/// Writes notes into a chart as the builder stores them (per key in order, each also appended to
/// its lane's list), for tests that need an exact chart without a song to build it from. The
/// chart must start empty: a fresh storage, or one whose counts are zero.
class ChartWriter {
public:
    explicit ChartWriter(ChartStorage& chart) : chart(chart) {}

    /// A note of key `pitch` on `lane`, appearing at `appear` and reaching the line at `hit`
    /// (song ms); its note-on is 90 pitch 100.
    Note& add(int lane, int pitch, std::uint32_t appear, std::uint32_t hit, const NoteShape& shape = {}) {
        const std::int32_t index = chart.pitchNoteCount[static_cast<std::size_t>(pitch)]++;
        Note& note = chart.pitchNotes[static_cast<std::size_t>(pitch)][static_cast<std::size_t>(index)];
        note.reset();
        note.setOn(0x90, static_cast<std::uint8_t>(pitch), 100, appear, hit);
        if (shape.closed) {
            note.setOff(0x80, static_cast<std::uint8_t>(pitch), shape.offVelocity,
                        hit + static_cast<std::uint32_t>(shape.length));
        }
        note.setLane(lane);
        note.setChordFollower(shape.chordFollower);
        const std::int32_t entry = chart.laneEntryCount[static_cast<std::size_t>(lane)]++;
        chart.laneEntries[static_cast<std::size_t>(lane)][static_cast<std::size_t>(entry)] = {
            pitch, index, shape.chordFollows};
        ++chart.noteOrderCount;
        return note;
    }

private:
    ChartStorage& chart;
};

} // namespace tf::test

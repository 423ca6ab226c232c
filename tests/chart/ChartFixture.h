#pragma once

#include "chart/ChartBuilder.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "song/MidiSequencer.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tf::test {

/// A loaded song and one chart storage, built through the same call the game makes.
class ChartFixture : public ::testing::Test {
protected:
    /// Loads `smf` under a fresh name, so that a second load in one test is never skipped.
    void load(const SmfBuilder& smf) { load(smf.bytes()); }
    void load(const Bytes& bytes) {
        ASSERT_EQ(sequencer.loadBytes(bytes, "song-" + std::to_string(++loads) + ".mid"), LoadResult::Loaded);
    }
    /// True when the build overflowed.
    bool build(std::uint32_t partMask = 0x0001) {
        return BuildChart(sequencer.song(), sequencer.tempo(), options, partMask, *chart, sounded) ==
               ChartResult::Overflow;
    }

    /// The note of `noteOrder` entry m.
    const Note& ordered(int m) const { return chart->note(chart->noteOrder[static_cast<std::size_t>(m)]); }
    const Note& noteOf(int key, int index = 0) const {
        return chart->pitchNotes[static_cast<std::size_t>(key)][static_cast<std::size_t>(index)];
    }
    /// The first `laneEntryCount` entries of a lane as (pitch, index, chordFollows).
    std::vector<std::array<int, 3>> lane(int j) const {
        std::vector<std::array<int, 3>> out;
        const auto lj = static_cast<std::size_t>(j);
        for (int i = 0; i < chart->laneEntryCount[lj]; ++i) {
            const LaneEntry& e = chart->laneEntries[lj][static_cast<std::size_t>(i)];
            out.push_back({e.pitch, e.index, e.chordFollows ? 1 : 0});
        }
        return out;
    }
    /// The lane entry counts of lanes 0 to options.laneCount() - 1.
    std::vector<int> laneSizes() const {
        return {chart->laneEntryCount.begin(), chart->laneEntryCount.begin() + options.laneCount()};
    }

    ManualClock clock;
    CapturePort port{clock};
    RecordingSink sink;
    MidiOutDevice device{port, sink};
    TransportFlags flags;
    MidiSequencer sequencer{clock, device, flags};
    PlayOptions options;
    std::unique_ptr<ChartStorage> chart = std::make_unique<ChartStorage>();
    std::array<bool, 16> sounded{};

private:
    int loads = 0;
};

} // namespace tf::test

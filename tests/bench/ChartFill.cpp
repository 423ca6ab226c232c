#include "tests/bench/ChartFill.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tf::bench {

namespace {

/// The builder's lane rule: fewer keys than lanes are spaced out, more are dealt in runs.
int LaneOf(int keyIndex, int keys, int lanes) {
    if (keys <= lanes) {
        return keyIndex * (lanes / keys);
    }
    return keyIndex / (keys / lanes + 1);
}

struct Placed {
    std::uint32_t hit;
    LaneEntry entry;
    int lane;
};

} // namespace

void FillChart(ChartStorage& chart, const ChartShape& shape) {
    const int keys = std::clamp(shape.keys, 1, ChartStorage::keyCount);
    const int notes = std::clamp(
        shape.notes, 0, std::min(ChartStorage::orderCapacity - 1, keys * (ChartStorage::notesPerKey - 1)));
    const int lanes = std::clamp(shape.lanes, 1, ChartStorage::maxLanes);
    std::vector<Placed> placed;
    placed.reserve(static_cast<std::size_t>(notes));
    chart.pitchNoteCount.fill(0);
    for (int k = 0; k < keys; ++k) {
        const int key = k * ChartStorage::keyCount / keys;
        const int count = notes / keys + (k < notes % keys ? 1 : 0);
        const int lane = LaneOf(k, keys, lanes);
        const std::uint32_t spacing = shape.spanMs / static_cast<std::uint32_t>(std::max(count, 1));
        const std::uint32_t stagger =
            spacing * static_cast<std::uint32_t>(k) / static_cast<std::uint32_t>(keys);
        auto& row = chart.pitchNotes[static_cast<std::size_t>(key)];
        for (int i = 0; i < count; ++i) {
            const std::uint32_t appear = static_cast<std::uint32_t>(i) * spacing + stagger;
            const std::uint32_t hit = appear + shape.fallMs;
            Note& note = row[static_cast<std::size_t>(i)];
            note.reset();
            note.setOn(0x90, static_cast<std::uint8_t>(key), 100, appear, hit);
            note.setOff(0x80, static_cast<std::uint8_t>(key), 64, hit + spacing / 2);
            note.setLane(lane);
            placed.push_back({hit, {key, i, false}, lane});
        }
        chart.pitchNoteCount[static_cast<std::size_t>(key)] = count;
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.hit < b.hit; });
    chart.noteOrderCount = static_cast<std::int32_t>(placed.size());
    chart.laneEntryCount.fill(0);
    chart.laneCursor.fill(0);
    for (std::size_t m = 0; m < placed.size(); ++m) {
        chart.noteOrder[m] = placed[m].entry;
        auto& count = chart.laneEntryCount[static_cast<std::size_t>(placed[m].lane)];
        if (count < ChartStorage::entriesPerLane - 1) {
            chart.laneEntries[static_cast<std::size_t>(placed[m].lane)][static_cast<std::size_t>(count)] =
                placed[m].entry;
            ++count;
        }
    }
}

int NotesOnScreen(const ChartStorage& chart, std::uint32_t t) {
    int onScreen = 0;
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        const auto& row = chart.pitchNotes[static_cast<std::size_t>(key)];
        for (int i = 0; i < chart.pitchNoteCount[static_cast<std::size_t>(key)]; ++i) {
            const Note& note = row[static_cast<std::size_t>(i)];
            onScreen += (note.appearTime() <= t && t <= note.hitTime()) ? 1 : 0;
        }
    }
    return onScreen;
}

} // namespace tf::bench

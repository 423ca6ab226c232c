#include "game/MidiLaneLatch.h"

namespace tf {

namespace {

bool IsLane(int lane) {
    return lane >= 0 && lane < MidiLaneLatch::laneCount;
}

} // namespace

MidiLaneLatch::MidiLaneLatch() {
    for (auto& lane : keyLanes) {
        lane.store(-1, std::memory_order_relaxed);
    }
}

void MidiLaneLatch::setKeyLanes(const KeyLaneTable& lanes) {
    for (std::size_t key = 0; key < keyLanes.size(); ++key) {
        keyLanes[key].store(IsLane(lanes[key]) ? lanes[key] : std::int8_t{-1}, std::memory_order_release);
    }
}

int MidiLaneLatch::laneOf(int key) const {
    if (key < 0 || key >= keyCount) {
        return -1;
    }
    return keyLanes[static_cast<std::size_t>(key)].load(std::memory_order_acquire);
}

void MidiLaneLatch::noteOn(int key, int velocity) {
    const int lane = laneOf(key);
    if (velocity > 0 && IsLane(lane)) {
        pressed[static_cast<std::size_t>(lane)].store(true, std::memory_order_release);
    }
}

bool MidiLaneLatch::takePress(int lane) {
    if (!IsLane(lane)) {
        return false;
    }
    return pressed[static_cast<std::size_t>(lane)].exchange(false, std::memory_order_acq_rel);
}

void MidiLaneLatch::clear() {
    for (auto& flag : pressed) {
        flag.store(false, std::memory_order_release);
    }
}

MidiInput::NoteHandler LanePresser(MidiLaneLatch& lanes) {
    return [&lanes](const MidiNoteMessage& note) {
        if (note.on) {
            lanes.noteOn(note.key, note.velocity);
        }
    };
}

MidiLaneLatch::KeyLaneTable KeyLanes(const ChartStorage& chart) {
    MidiLaneLatch::KeyLaneTable lanes;
    for (std::size_t key = 0; key < lanes.size(); ++key) {
        // Before the first build every key reads lane 0: only a key with notes has a lane.
        const bool hasNotes = chart.pitchNoteCount[key] > 0;
        lanes[key] = hasNotes && IsLane(chart.keyLane[key]) ? chart.keyLane[key] : std::int8_t{-1};
    }
    return lanes;
}

} // namespace tf

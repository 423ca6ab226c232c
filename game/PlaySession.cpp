#include "game/PlaySession.h"

#include "game/Judgement.h"

#include <algorithm>
#include <cstddef>

namespace tf {

namespace {

/// How far a press at song time `t` is from a note reaching the line at `hitTime`, in ms: the
/// signed 32-bit difference without its sign. A difference of -2^31 has no positive
/// counterpart in 32 signed bits; unsigned arithmetic gives it as 2^31.
std::uint32_t DistanceFrom(std::uint32_t hitTime, std::uint32_t t) {
    const std::uint32_t difference = hitTime - t;
    return (difference & 0x80000000u) != 0 ? 0u - difference : difference;
}

/// A note time moved by the judgement offset, signed: an offset below zero moves a time near the
/// song's start before it, where an unsigned sum would wrap round to the far end of the clock.
std::int64_t Offset(std::uint32_t time, std::int32_t offset) {
    return std::int64_t{time} + offset;
}

/// The last song time (ms) at which `note` can still be pressed in time: 150 ms after its judged
/// hit. The 150 ms are added as the clock adds them, so that with no offset a note misses at
/// exactly the frame it always did.
std::int64_t MissTime(const Note& note, std::int32_t offset) {
    return Offset(note.hitTime() + 150, offset);
}

bool IsLane(std::int32_t lane) {
    return lane >= 0 && lane < ChartStorage::maxLanes;
}

/// The lanes looked at in a frame: the KEY mode, never more than the storage holds.
int LanesInPlay(const PlayOptions& options) {
    return std::clamp(options.laneCount(), 0, ChartStorage::maxLanes);
}

/// Entries of lane `lane` that may be read, whatever the count says.
std::int32_t UsableEntries(const ChartStorage& chart, int lane) {
    return std::clamp(chart.laneEntryCount[static_cast<std::size_t>(lane)], 0, ChartStorage::entriesPerLane);
}

/// Notes of key `key` that may be read, whatever the count says.
std::size_t UsableNotes(const ChartStorage& chart, int key) {
    return static_cast<std::size_t>(
        std::clamp(chart.pitchNoteCount[static_cast<std::size_t>(key)], 0, ChartStorage::notesPerKey));
}

bool RefersToNote(const LaneEntry& entry) {
    return entry.pitch >= 0 && entry.pitch < ChartStorage::keyCount && entry.index >= 0 &&
           entry.index < ChartStorage::notesPerKey;
}

bool IsSilence(const Note::Message& message) {
    return message[0] == 0 && message[1] == 0 && message[2] == 0;
}

/// Steps back from entry `i` to the nearest earlier entry that is not a chord follower, stopping
/// at entry 0 (which a build never makes a follower).
std::int32_t StepBack(const ChartStorage& chart,
                      const std::array<LaneEntry, ChartStorage::entriesPerLane>& entries, std::int32_t i) {
    do {
        --i;
    } while (i > 0 && (!RefersToNote(entries[static_cast<std::size_t>(i)]) ||
                       chart.note(entries[static_cast<std::size_t>(i)]).chordFollower()));
    return i;
}

} // namespace

PlaySession::PlaySession(ChartStorage& chart, const PlayOptions& options, const KeyBindings& keys,
                         KeyState& keyState, Clock& clock, MidiOutDevice& out, const MidiSequencer& sequencer)
    : chart(chart), options(options), keys(keys), keyState(keyState), clock(clock), out(out),
      sequencer(sequencer), hitErrors_(ChartStorage::orderCapacity),
      fallingNotes_(static_cast<std::size_t>(ChartStorage::keyCount) * ChartStorage::notesPerKey, nullptr) {
    for (auto& timer : laneFlashTimers) {
        timer.zero();
    }
    judgeDisplay_.reset();
    tally_.reset();
}

void PlaySession::reset() {
    for (int lane = 0; lane < LanesInPlay(options); ++lane) {
        chart.laneCursor[static_cast<std::size_t>(lane)] = 0;
        TickTimer& flash = laneFlashTimers[static_cast<std::size_t>(lane)];
        flash.zero();
        flash.setDuration(100);
    }
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        auto& notes = chart.pitchNotes[static_cast<std::size_t>(key)];
        for (std::size_t i = 0; i < UsableNotes(chart, key); ++i) {
            notes[i].setOnScreen(false);
            notes[i].setJudged(false);
        }
    }
    // Presses made in the dialogs or before a restart must not count in the new run.
    keys.drain(keyState);
    judgeDisplay_.reset();
    tally_.reset();
    hitErrors_.clear(static_cast<std::size_t>(std::max(chart.noteOrderCount, 0)));
    pressLog_.clear();
    fallingCount = 0;
    notesPending_ = false;
}

void PlaySession::step() {
    const bool autoPlay = options.autoPlay();
    // One reading of the clock serves every note: the pass takes far less than a millisecond,
    // and reading the real clock thrice per note cost more than all the rest of the frame.
    frameTime_ = sequencer.songTime();
    followNotes(frameTime_);
    readLanes(autoPlay);
    // The label's timer is asked in every frame, drawn or not, so that it runs out as it always did.
    labelShown_ = judgeDisplay_.displayTimer().running(clock.tickCount());
}

void PlaySession::followNotes(std::uint32_t t) {
    const bool autoPlay = options.autoPlay();
    fallingCount = 0;
    notesPending_ = false;
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        auto& notes = chart.pitchNotes[static_cast<std::size_t>(key)];
        const std::size_t count = UsableNotes(chart, key);
        for (std::size_t i = 0; i < count; ++i) {
            followNote(notes[i], t, autoPlay);
        }
    }
}

void PlaySession::followNote(Note& note, std::uint32_t t, bool autoPlay) {
    if (note.appearTime() <= t && t <= note.hitTime()) {
        note.setOnScreen(true);
        if (!note.chordFollower()) {
            fallingNotes_[fallingCount++] = &note;
        }
    } else if (note.onScreen()) {
        // The note has just passed the judgement line.
        if (IsLane(note.lane())) {
            const auto lane = static_cast<std::size_t>(note.lane());
            if (autoPlay) {
                laneFlashTimers[lane].start(true, clock.tickCount());
            }
            ++chart.laneCursor[lane];
        }
        note.setOnScreen(false);
    }

    if (note.noteOffDue() != 0 && note.noteOffDue() <= t) {
        note.clearNoteOffDue();
        // A note that nothing closed in the file has no message to end it with.
        const Note::Message& off = note.noteOffMessage();
        if (!IsSilence(off)) {
            out.sendShort(off[0], off[1], off[2]);
        }
    }

    if (autoPlay || note.chordFollower()) {
        return;
    }
    // The offset moves the miss with the judging: a note is given up 150 ms after its judged hit.
    if (MissTime(note, options.judgeOffset()) >= t) {
        notesPending_ = true;
    } else if (!note.judged()) {
        recordJudgement(Bad, clock.tickCount());
        note.setJudged(true);
    }
}

// The lanes read the clock afresh for every test, so a press is judged at the very millisecond
// it is looked at.
void PlaySession::readLanes(bool autoPlay) {
    keyMarkShown_.fill(false);
    for (int lane = 0; lane < LanesInPlay(options); ++lane) {
        // A keyboard note is taken every frame, AUTO PLAY or not, so none waits to count later;
        // with the key pressed in the same frame the lane is pressed once.
        const bool midiPress = midiLanes != nullptr && midiLanes->takePress(lane);
        if (!autoPlay && (keys.isPressed(lane, keyState) || midiPress)) {
            pressLane(lane);
        }
        // Asked in every frame, drawn or not: the asking is what disarms a timer that ran out.
        keyMarkShown_[static_cast<std::size_t>(lane)] =
            laneFlashTimers[static_cast<std::size_t>(lane)].running(clock.tickCount());
    }
}

void PlaySession::pressLane(int lane) {
    pressLog_.record(sequencer.songTime(), lane);
    const auto laneIndex = static_cast<std::size_t>(lane);
    const auto& entries = chart.laneEntries[laneIndex];
    const std::int32_t count = UsableEntries(chart, lane);
    std::int32_t i = std::clamp(chart.laneCursor[laneIndex], 0, count);
    if (i < count) {
        i = chooseEntry(lane, i);
        judgeAndSound(lane, i);
    } else if (i > 0) {
        // Every note of the lane has passed. A press just after the last one is still judged
        // against it, as a press just after any other note is; a press beyond the windows replays
        // the last one, unjudged (entry 0 replays nothing).
        i = StepBack(chart, entries, i);
        if (withinWindows(entries[static_cast<std::size_t>(i)])) {
            judgeAndSound(lane, i);
        } else if (i > 0) {
            soundFrom(lane, i, sequencer.songTime());
        }
    }
    laneFlashTimers[laneIndex].start(true, clock.tickCount());
}

void PlaySession::judgeAndSound(int lane, std::int32_t entry) {
    const LaneEntry& laneEntry =
        chart.laneEntries[static_cast<std::size_t>(lane)][static_cast<std::size_t>(entry)];
    if (RefersToNote(laneEntry)) {
        judgePress(chart.note(laneEntry), sequencer.songTime());
    }
    soundFrom(lane, entry, sequencer.songTime());
}

bool PlaySession::withinWindows(const LaneEntry& entry) const {
    if (!RefersToNote(entry)) {
        return false;
    }
    const auto offset = static_cast<std::uint32_t>(options.judgeOffset());
    return JudgeDistance(DistanceFrom(chart.note(entry).hitTime() + offset, sequencer.songTime())) != Bad;
}

// A press is judged as if it came `offset` ms earlier, which is the note's times moved `offset`
// later: with no offset, exactly the times the chart holds.
void PlaySession::judgePress(const Note& note, std::uint32_t now) {
    // Distances are taken round the clock, so the hit itself may wrap; only the order of the
    // appearance and the press needs signed arithmetic.
    const std::uint32_t hit = note.hitTime() + static_cast<std::uint32_t>(options.judgeOffset());
    // A note not yet on its way down sounds without a judgement.
    if (note.lane() == -1 || Offset(note.appearTime(), options.judgeOffset()) >= now) {
        return;
    }
    const Judgement judgement = JudgeDistance(DistanceFrom(hit, now));
    recordJudgement(judgement, clock.tickCount());
    if (judgement != Bad) {
        hitErrors_.record(static_cast<std::int32_t>(now - hit), clock.tickCount());
    }
}

std::int32_t PlaySession::chooseEntry(int lane, std::int32_t next) const {
    const auto& entries = chart.laneEntries[static_cast<std::size_t>(lane)];
    if (next == 0 || !RefersToNote(entries[static_cast<std::size_t>(next - 1)]) ||
        !RefersToNote(entries[static_cast<std::size_t>(next)])) {
        return next;
    }
    // The press is taken `offset` ms earlier, as the judgement takes it.
    const std::uint32_t now = sequencer.songTime() - static_cast<std::uint32_t>(options.judgeOffset());
    const std::uint32_t before =
        DistanceFrom(chart.note(entries[static_cast<std::size_t>(next - 1)]).hitTime(), now);
    const std::uint32_t at = DistanceFrom(chart.note(entries[static_cast<std::size_t>(next)]).hitTime(), now);
    // On a tie the note still to come is the one played.
    return at > before ? StepBack(chart, entries, next) : next;
}

void PlaySession::recordJudgement(std::int32_t index, std::uint32_t now) {
    judgeDisplay_.setCurrent(index);
    if (index >= Perfect && index <= Good) {
        judgeDisplay_.addCombo();
    } else {
        judgeDisplay_.clearCombo();
    }
    tally_.add(index);
    judgeDisplay_.displayTimer().start(true, now);
}

void PlaySession::soundFrom(int lane, std::int32_t entry, std::uint32_t t) {
    const auto& entries = chart.laneEntries[static_cast<std::size_t>(lane)];
    const std::int32_t count = UsableEntries(chart, lane);
    // A chain that claims to go on past the lane's last entry ends there.
    for (std::int32_t e = entry; e >= 0 && e < count; ++e) {
        const LaneEntry& laneEntry = entries[static_cast<std::size_t>(e)];
        if (!RefersToNote(laneEntry)) {
            return;
        }
        Note& note = chart.note(laneEntry);
        const Note::Message& on = note.noteOnMessage();
        out.sendShort(on[0], on[1], on[2]);
        note.scheduleNoteOff(t);
        note.setJudged(true);
        if (!laneEntry.chordFollows) {
            return;
        }
    }
}

} // namespace tf

#include "game/GamePlay.h"
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

void GamePlay::resetForPlay() {
    songFinished_.store(false, std::memory_order_release);
    ChartStorage& chart = *chartStorage;
    for (int lane = 0; lane < LanesInPlay(playOptions); ++lane) {
        chart.laneCursor[static_cast<std::size_t>(lane)] = 0;
        TickTimer& flash = laneFlashTimers[static_cast<std::size_t>(lane)];
        flash.zero();
        flash.setDuration(100);
    }
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        const std::int32_t count =
            std::clamp(chart.pitchNoteCount[static_cast<std::size_t>(key)], 0, ChartStorage::notesPerKey);
        for (std::int32_t i = 0; i < count; ++i) {
            Note& note = chart.pitchNotes[static_cast<std::size_t>(key)][static_cast<std::size_t>(i)];
            note.setOnScreen(false);
            note.setJudged(false);
        }
    }
    // Presses made in the dialogs or before a restart must not count in the new run.
    keys.drain(keyState);
    judgeDisplay_.reset();
    judgeTally.reset();
    nowPlayingBanner.reset();
    rewind();
}

void GamePlay::playFrame() {
    if (paused()) {
        return;
    }
    drawBackground();
    nowPlayingBanner.drawBanner(surface_, clock.tickCount());
    drawCounters();
    drawClock(songTime());

    ChartStorage& chart = *chartStorage;
    const bool autoPlay = playOptions.autoPlay();

    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        const std::int32_t count =
            std::clamp(chart.pitchNoteCount[static_cast<std::size_t>(key)], 0, ChartStorage::notesPerKey);
        for (std::int32_t i = 0; i < count; ++i) {
            Note& note = chart.pitchNotes[static_cast<std::size_t>(key)][static_cast<std::size_t>(i)];

            std::uint32_t t = songTime();
            if (note.appearTime() <= t && t <= note.hitTime()) {
                note.setOnScreen(true);
                if (!note.chordFollower()) {
                    drawNote(note, t);
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

            t = songTime();
            if (note.noteOffDue() != 0 && note.noteOffDue() <= t) {
                note.clearNoteOffDue();
                // A note that nothing closed in the file has no message to end it with.
                const Note::Message& off = note.noteOffMessage();
                if (!IsSilence(off)) {
                    sendShort(off[0], off[1], off[2]);
                }
            }

            if (!autoPlay) {
                t = songTime();
                if (note.hitTime() + 150 < t && !note.chordFollower() && !note.judged()) {
                    recordJudgement(Bad, clock.tickCount());
                    note.setJudged(true);
                }
            }
        }
    }

    for (int lane = 0; lane < LanesInPlay(playOptions); ++lane) {
        const auto laneIndex = static_cast<std::size_t>(lane);
        if (!autoPlay && keys.isPressed(lane, keyState)) {
            const auto& entries = chart.laneEntries[laneIndex];
            const std::int32_t count = UsableEntries(chart, lane);
            std::int32_t i = std::clamp(chart.laneCursor[laneIndex], 0, count);
            if (i == count) {
                // Every note of the lane has passed: the press replays the last one, unjudged.
                if (i > 0) {
                    i = StepBack(chart, entries, i);
                }
                if (i > 0) {
                    soundFrom(lane, i, songTime());
                }
            } else {
                if (i > 0 && RefersToNote(entries[static_cast<std::size_t>(i - 1)]) &&
                    RefersToNote(entries[static_cast<std::size_t>(i)])) {
                    const std::uint32_t t = songTime();
                    const std::uint32_t before =
                        DistanceFrom(chart.note(entries[static_cast<std::size_t>(i - 1)]).hitTime(), t);
                    const std::uint32_t at =
                        DistanceFrom(chart.note(entries[static_cast<std::size_t>(i)]).hitTime(), t);
                    // On a tie the note still to come is the one played.
                    if (at > before) {
                        i = StepBack(chart, entries, i);
                    }
                }
                const LaneEntry& entry = entries[static_cast<std::size_t>(i)];
                if (RefersToNote(entry)) {
                    const Note& note = chart.note(entry);
                    const std::uint32_t t = songTime();
                    // A note not yet on its way down sounds without a judgement.
                    if (note.lane() != -1 && note.appearTime() < t) {
                        recordJudgement(JudgeDistance(DistanceFrom(note.hitTime(), t)), clock.tickCount());
                    }
                }
                soundFrom(lane, i, songTime());
            }
            laneFlashTimers[laneIndex].start(true, clock.tickCount());
        }
        if (laneFlashTimers[laneIndex].running(clock.tickCount())) {
            drawKeyMark(lane);
        }
    }

    drawJudgeLabel(clock.tickCount());
    clock.sleep(1);
}

void GamePlay::recordJudgement(std::int32_t index, std::uint32_t now) {
    judgeDisplay_.setCurrent(index);
    if (index >= Perfect && index <= Good) {
        judgeDisplay_.addCombo();
    } else {
        judgeDisplay_.clearCombo();
    }
    judgeTally.add(index);
    judgeDisplay_.displayTimer().start(true, now);
}

void GamePlay::soundFrom(int lane, std::int32_t entry, std::uint32_t t) {
    ChartStorage& chart = *chartStorage;
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
        sendShort(on[0], on[1], on[2]);
        note.scheduleNoteOff(t);
        note.setJudged(true);
        if (!laneEntry.chordFollows) {
            return;
        }
    }
}

} // namespace tf

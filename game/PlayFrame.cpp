#include "game/GamePlay.h"
#include "game/Judgement.h"

#include <algorithm>
#include <cstddef>
#include <mutex>

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

bool GamePlay::playFrame() {
    if (paused()) {
        return false;
    }
    // Decided once: only this thread clears the flag, so a picture claimed here stays claimed.
    const bool draw = !drawOnlyWhenShown || pictureShown.load(std::memory_order_acquire);
    std::unique_lock<std::mutex> drawing;
    if (draw && surfaceLock != nullptr) {
        drawing = std::unique_lock(*surfaceLock);
    }
    if (draw) {
        drawBackground();
        nowPlayingBanner.drawBanner(surface_, clock.tickCount());
        drawCounters();
        drawClock(songTime());
    }

    ChartStorage& chart = *chartStorage;
    const bool autoPlay = playOptions.autoPlay();

    // One reading of the clock serves every note: the pass takes far less than a millisecond,
    // and reading the real clock thrice per note cost more than all the rest of the frame.
    const std::uint32_t t = songTime();
    for (int key = 0; key < ChartStorage::keyCount; ++key) {
        const auto count = static_cast<std::size_t>(
            std::clamp(chart.pitchNoteCount[static_cast<std::size_t>(key)], 0, ChartStorage::notesPerKey));
        auto& notes = chart.pitchNotes[static_cast<std::size_t>(key)];
        for (std::size_t i = 0; i < count; ++i) {
            Note& note = notes[i];

            if (note.appearTime() <= t && t <= note.hitTime()) {
                note.setOnScreen(true);
                if (draw && !note.chordFollower()) {
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

            if (note.noteOffDue() != 0 && note.noteOffDue() <= t) {
                note.clearNoteOffDue();
                // A note that nothing closed in the file has no message to end it with.
                const Note::Message& off = note.noteOffMessage();
                if (!IsSilence(off)) {
                    sendShort(off[0], off[1], off[2]);
                }
            }

            if (!autoPlay && note.hitTime() + 150 < t && !note.chordFollower() && !note.judged()) {
                recordJudgement(Bad, clock.tickCount());
                note.setJudged(true);
            }
        }
    }

    // The lanes read the clock afresh for every test, so a press is judged at the very
    // millisecond it is looked at.
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
                    const std::uint32_t now = songTime();
                    const std::uint32_t before =
                        DistanceFrom(chart.note(entries[static_cast<std::size_t>(i - 1)]).hitTime(), now);
                    const std::uint32_t at =
                        DistanceFrom(chart.note(entries[static_cast<std::size_t>(i)]).hitTime(), now);
                    // On a tie the note still to come is the one played.
                    if (at > before) {
                        i = StepBack(chart, entries, i);
                    }
                }
                const LaneEntry& entry = entries[static_cast<std::size_t>(i)];
                if (RefersToNote(entry)) {
                    const Note& note = chart.note(entry);
                    const std::uint32_t now = songTime();
                    // A note not yet on its way down sounds without a judgement.
                    if (note.lane() != -1 && note.appearTime() < now) {
                        recordJudgement(JudgeDistance(DistanceFrom(note.hitTime(), now)), clock.tickCount());
                    }
                }
                soundFrom(lane, i, songTime());
            }
            laneFlashTimers[laneIndex].start(true, clock.tickCount());
        }
        // Asked in every frame, drawn or not: the asking is what disarms a timer that ran out.
        if (laneFlashTimers[laneIndex].running(clock.tickCount()) && draw) {
            drawKeyMark(lane);
        }
    }

    // The label's timer is asked in every frame too, so that it runs out as it always did.
    if (judgeDisplay_.displayTimer().running(clock.tickCount()) && draw) {
        drawJudgeLabel();
    }
    if (draw && drawOnlyWhenShown) {
        pictureShown.store(false, std::memory_order_release);
    }
    if (drawing.owns_lock()) {
        drawing.unlock();
    }
    clock.sleep(1);
    return draw;
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

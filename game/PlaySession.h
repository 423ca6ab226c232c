#pragma once

#include "chart/ChartStorage.h"
#include "chart/PlayOptions.h"
#include "game/HitErrors.h"
#include "game/JudgeDisplay.h"
#include "game/JudgeTally.h"
#include "game/KeyBindings.h"
#include "game/MidiLaneLatch.h"
#include "game/PressLog.h"
#include "game/TickTimer.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "song/MidiOutDevice.h"
#include "song/MidiSequencer.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tf {

/// One play of the chart: follows every note down to the judgement line, sends the note-offs
/// that come due, counts the misses, and judges and sounds the presses of each lane. It keeps
/// the lane timers, the judgement display and the tally, and exposes what a frame found for the
/// play-field view to draw; it never draws.
class PlaySession {
public:
    PlaySession(ChartStorage& chart, const PlayOptions& options, const KeyBindings& keys, KeyState& keyState,
                Clock& clock, MidiOutDevice& out, const MidiSequencer& sequencer);

    /// Back to the start of a play: lane cursors and timers, the notes' play flags, the keys
    /// drained, the judgement display and tally cleared.
    void reset();
    /// One frame's work: the note pass, then the lane pass.
    void step();
    /// A MIDI keyboard's lane presses, read beside the keys in every lane pass (null: none). Set
    /// while no play runs.
    void setMidiLanes(MidiLaneLatch* lanes) { midiLanes = lanes; }

    JudgeDisplay& judgeDisplay() { return judgeDisplay_; }
    const JudgeDisplay& judgeDisplay() const { return judgeDisplay_; }
    JudgeTally& tally() { return tally_; }
    const JudgeTally& tally() const { return tally_; }
    TickTimer& laneFlashTimer(int lane) { return laneFlashTimers[static_cast<std::size_t>(lane)]; }
    const HitErrors& hitErrors() const { return hitErrors_; }
    /// The presses of the play since the last reset, for its replay.
    const PressLog& pressLog() const { return pressLog_; }

    /// What the last step found, for drawing: the song time it followed the notes at, the notes
    /// then on their way down (leaders of chords only, in key order), the lanes whose key mark
    /// shows, and whether the judgement label shows.
    std::uint32_t frameTime() const { return frameTime_; }
    std::span<const Note* const> fallingNotes() const { return {fallingNotes_.data(), fallingCount}; }
    bool keyMarkShown(int lane) const { return keyMarkShown_[static_cast<std::size_t>(lane)]; }
    bool labelShown() const { return labelShown_; }
    /// Judged plays: some note that leads a press was, at the last step, still to be pressed in
    /// time or missed, so the song must not end yet. Never under AUTO PLAY, which counts nothing.
    bool notesPending() const { return notesPending_; }

private:
    void followNotes(std::uint32_t t);
    void followNote(Note& note, std::uint32_t t, bool autoPlay);
    void readLanes(bool autoPlay);
    void pressLane(int lane);
    /// The entry a press on `lane` plays when some of its notes are still to come: the next one,
    /// or the one just passed when that is nearer.
    std::int32_t chooseEntry(int lane, std::int32_t next) const;
    /// Judges the note of `entry` (unless it has not appeared yet) and sounds it with its chord.
    void judgeAndSound(int lane, std::int32_t entry);
    /// A press now would be judged PERFECT to OK against the note of `entry`.
    bool withinWindows(const LaneEntry& entry) const;
    void judgePress(const Note& note, std::uint32_t now);
    void recordJudgement(std::int32_t index, std::uint32_t now);
    void soundFrom(int lane, std::int32_t entry, std::uint32_t t);

    ChartStorage& chart;
    const PlayOptions& options;
    const KeyBindings& keys;
    KeyState& keyState;
    Clock& clock;
    MidiOutDevice& out;
    const MidiSequencer& sequencer;
    MidiLaneLatch* midiLanes = nullptr;

    JudgeDisplay judgeDisplay_;
    JudgeTally tally_;
    HitErrors hitErrors_;
    PressLog pressLog_;
    std::array<TickTimer, ChartStorage::maxLanes> laneFlashTimers{};

    std::uint32_t frameTime_ = 0;
    /// Room for every note the storage can hold, allocated once, so a frame never allocates.
    std::vector<const Note*> fallingNotes_;
    std::size_t fallingCount = 0;
    std::array<bool, ChartStorage::maxLanes> keyMarkShown_{};
    bool labelShown_ = false;
    bool notesPending_ = false;
};

} // namespace tf

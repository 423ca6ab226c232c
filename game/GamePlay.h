#pragma once

#include "chart/ChartStorage.h"
#include "chart/PlayOptions.h"
#include "game/JudgeDisplay.h"
#include "game/JudgeTally.h"
#include "game/KeyBindings.h"
#include "game/NowPlayingBanner.h"
#include "game/TickTimer.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/MessageSink.h"
#include "platform/MidiPort.h"
#include "platform/Surface.h"
#include "song/MidiSequencer.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace tf {

/// The game: the song and its output, the chart, the keys, the judgement records and the play
/// frame. Everything it needs from the machine comes through the four seams handed in here.
/// Operations whose work belongs to a lower layer forward to it.
class GamePlay : public MidiSequencer {
public:
    /// Opens the output (an open failure goes to `messages` once) and allocates the chart.
    GamePlay(Clock& clock, KeyState& keys, MidiPort& port, Surface& surface, MessageSink& messages);
    ~GamePlay();

    bool pump(bool previewMode);
    bool pumpGame() { return pump(false); }
    bool pumpPreview() { return pump(true); }
    /// Only `channel` sounds; fast-forwards to its first note; rewinds the song.
    void startPreview(int channel);
    std::int32_t countPartNotes(int channel);
    /// True when the chart overflowed and must not be played.
    bool buildChart(std::uint32_t partMask);

    /// Clears the per-play flags, drains the keys, resets the records and rewinds.
    void resetForPlay();
    /// Follows every note, sends due note-offs, counts misses, judges and sounds the presses,
    /// draws the play field, then sleeps 1 ms. Does nothing while paused.
    void playFrame();

    PlayOptions& options() { return playOptions; }
    const PlayOptions& options() const { return playOptions; }
    KeyBindings& keyBindings() { return keys; }
    ChartStorage& chart() { return *chartStorage; }
    const ChartStorage& chart() const { return *chartStorage; }
    std::array<bool, 16>& soundedChannels() { return soundedChannels_; }
    bool previewWaiting() const { return previewWaiting_.load(std::memory_order_acquire); }
    bool songFinished() const { return songFinished_.load(std::memory_order_acquire); }
    JudgeDisplay& judgeDisplay() { return judgeDisplay_; }
    JudgeTally& tally() { return judgeTally; }
    const JudgeTally& tally() const { return judgeTally; }
    NowPlayingBanner& banner() { return nowPlayingBanner; }
    TickTimer& laneFlashTimer(int lane) { return laneFlashTimers[static_cast<std::size_t>(lane)]; }

    /// The play-field background; null draws nothing under the notes.
    void setMainBitmap(const Bitmap* bitmap) { mainBitmap = bitmap; }
    Surface& surface() { return surface_; }

private:
    // The play-field drawing steps, called by playFrame at the points it names.
    void drawBackground();
    void drawCounters();
    void drawClock(std::uint32_t t);
    void drawNote(const Note& note, std::uint32_t t);
    void drawKeyMark(int lane);
    void drawJudgeLabel(std::uint32_t now);
    void recordJudgement(std::int32_t index, std::uint32_t now);
    void soundFrom(int lane, std::int32_t entry, std::uint32_t t);

    KeyBindings keys;
    PlayOptions playOptions;
    NowPlayingBanner nowPlayingBanner;
    std::unique_ptr<ChartStorage> chartStorage;
    std::array<bool, 16> soundedChannels_{};
    std::atomic<bool> previewWaiting_{false};
    JudgeDisplay judgeDisplay_;
    std::array<TickTimer, 15> laneFlashTimers{};
    std::atomic<bool> songFinished_{false};
    JudgeTally judgeTally;

    KeyState& keyState;
    Surface& surface_;
    const Bitmap* mainBitmap = nullptr;
    /// The judgement label's colour and its blink count live for the whole process.
    Colour labelColour = 0x00FFFF;
    std::int32_t labelBlinkCount = 0;
};

} // namespace tf

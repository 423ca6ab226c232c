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
#include "song/PartCensus.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

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
    /// draws the play field (see `setDrawOnlyWhenShown`), then sleeps 1 ms. Does nothing while
    /// paused. True when the frame drew.
    bool playFrame();

    /// Off (the default), every frame draws. On, a frame draws only when the window has shown
    /// the last picture drawn (`notePictureShown`), so at most once per display refresh; the
    /// frames in between judge, sound and count all the same but touch neither the surface nor
    /// what only the drawing moves on (the banner's blink, the PERFECT label's colour count).
    void setDrawOnlyWhenShown(bool on) { drawOnlyWhenShown = on; }
    /// The window has copied the picture out of the surface. Any thread; a caller that copies
    /// under the surface's lock calls this before letting go of it.
    void notePictureShown() { pictureShown.store(true, std::memory_order_release); }
    /// Held by a frame from its first drawing step to its last, and only by a frame that draws;
    /// never over the frame's sleep. Null, the default: nothing is locked.
    void setSurfaceLock(std::mutex* lock) { surfaceLock = lock; }

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
    void drawJudgeLabel();
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
    /// The fall time the note drawing's pixels per ms were worked out for; 0: none yet.
    std::uint32_t pixelsPerMsFallTime = 0;
    double pixelsPerMs = 0.0;

    bool drawOnlyWhenShown = false;
    /// Set by the window when it has shown the picture, cleared by the frame that draws anew.
    std::atomic<bool> pictureShown{true};
    std::mutex* surfaceLock = nullptr;
    /// The census of the loaded song, taken once for the sixteen parts.
    PartCensusCache partCensus;
};

} // namespace tf

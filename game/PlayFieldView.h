#pragma once

#include "chart/Note.h"
#include "chart/PlayOptions.h"
#include "game/JudgeDisplay.h"
#include "game/JudgeTally.h"
#include "game/NowPlayingBanner.h"
#include "game/PlaySession.h"
#include "platform/Surface.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

namespace tf {

/// Draws the play field on the surface from what the play session exposes. It keeps only what
/// the drawing itself moves on (the banner's blink, the judgement label's colour and its blink
/// count) and never changes a judging state.
class PlayFieldView {
public:
    explicit PlayFieldView(Surface& surface);

    /// What a frame draws before the notes are followed: the background, the banner at tick
    /// `now`, the counters of `tally`, the clock at song time `t` and the song's progress.
    void drawHead(std::uint32_t now, std::uint32_t t, const JudgeTally& tally);
    /// What a frame draws after the session's step: the falling notes, the key marks, the
    /// judgement label and, when shown, the hit-error bar at tick `now`.
    void drawField(const PlaySession& session, const PlayOptions& options, std::uint32_t now);

    /// The song time at which the song ends (0: unknown). With it, a thin bar along the bottom
    /// of the free area shows how far the song has gone.
    void setSongEnd(std::uint32_t ms) { songEnd = ms; }
    /// Writes the song's length beside the clock (for a picture shown large enough to read it).
    /// Any thread: the window may change it while a play draws.
    void setShowSongLength(bool on) { showSongLength.store(on, std::memory_order_relaxed); }
    /// A tick under the judgement line for each of the last presses at its error, fading.
    void setShowHitErrorBar(bool on) { showHitErrorBar.store(on, std::memory_order_relaxed); }
    /// Shows each lane's key name under its key mark (on unless switched off). Any thread.
    void setShowKeyLabels(bool on) { showKeyLabels.store(on, std::memory_order_relaxed); }
    /// The key names of lanes 0-14, a character or two each. Only while no play thread runs.
    void setKeyLabels(const std::array<std::string, 15>& labels) { keyLabels = labels; }

    /// The play-field background; null draws nothing under the notes.
    void setMainBitmap(const Bitmap* bitmap) { mainBitmap = bitmap; }
    /// Takes the banner off the picture drawn last (a paused play shows no "NOW PLAYING!").
    void eraseBanner() { NowPlayingBanner::eraseBanner(surface_, mainBitmap); }
    NowPlayingBanner& banner() { return banner_; }
    Surface& surface() { return surface_; }

private:
    void drawCounters(const JudgeTally& tally);
    void drawClock(std::uint32_t t);
    void drawNote(const Note& note, std::uint32_t t, const PlayOptions& options);
    void drawKeyMark(int lane);
    void drawJudgeLabel(const JudgeDisplay& display, const PlayOptions& options);
    void drawProgress(std::uint32_t t);
    void drawHitErrorBar(const HitErrors& errors, std::uint32_t now);
    void drawKeyLabels(int laneCount);

    Surface& surface_;
    const Bitmap* mainBitmap = nullptr;
    NowPlayingBanner banner_;
    /// The judgement label's colour and its blink count live for the whole process.
    Colour labelColour = 0x00FFFF;
    std::int32_t labelBlinkCount = 0;
    /// The fall time the note drawing's pixels per ms were worked out for; 0: none yet.
    std::uint32_t pixelsPerMsFallTime = 0;
    double pixelsPerMs = 0.0;
    std::uint32_t songEnd = 0;
    std::atomic<bool> showSongLength{false};
    std::atomic<bool> showHitErrorBar{false};
    std::atomic<bool> showKeyLabels{true};
    std::array<std::string, 15> keyLabels;
};

} // namespace tf

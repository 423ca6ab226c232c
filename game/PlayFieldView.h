#pragma once

#include "chart/Note.h"
#include "chart/PlayOptions.h"
#include "game/JudgeDisplay.h"
#include "game/JudgeTally.h"
#include "game/NowPlayingBanner.h"
#include "game/PlaySession.h"
#include "platform/Surface.h"

#include <cstdint>

namespace tf {

/// Draws the play field on the surface from what the play session exposes. It keeps only what
/// the drawing itself moves on (the banner's blink, the judgement label's colour and its blink
/// count) and never changes a judging state.
class PlayFieldView {
public:
    explicit PlayFieldView(Surface& surface);

    /// What a frame draws before the notes are followed: the background, the banner at tick
    /// `now`, the counters of `tally` and the clock at song time `t`.
    void drawHead(std::uint32_t now, std::uint32_t t, const JudgeTally& tally);
    /// What a frame draws after the session's step: the falling notes, the key marks and the
    /// judgement label.
    void drawField(const PlaySession& session, const PlayOptions& options);

    /// The play-field background; null draws nothing under the notes.
    void setMainBitmap(const Bitmap* bitmap) { mainBitmap = bitmap; }
    NowPlayingBanner& banner() { return banner_; }
    Surface& surface() { return surface_; }

private:
    void drawCounters(const JudgeTally& tally);
    void drawClock(std::uint32_t t);
    void drawNote(const Note& note, std::uint32_t t, const PlayOptions& options);
    void drawKeyMark(int lane);
    void drawJudgeLabel(const JudgeDisplay& display, const PlayOptions& options);

    Surface& surface_;
    const Bitmap* mainBitmap = nullptr;
    NowPlayingBanner banner_;
    /// The judgement label's colour and its blink count live for the whole process.
    Colour labelColour = 0x00FFFF;
    std::int32_t labelBlinkCount = 0;
    /// The fall time the note drawing's pixels per ms were worked out for; 0: none yet.
    std::uint32_t pixelsPerMsFallTime = 0;
    double pixelsPerMs = 0.0;
};

} // namespace tf

#pragma once

#include "app/screens/TimingReport.h"
#include "app/text/Language.h"
#include "platform/Surface.h"

#include <mutex>
#include <string>

namespace tf {

class JudgeTally;
class ShellView;

/// What the result screen shows beside the counters, worked out by the play thread when its song
/// ends.
struct PlayResult {
    /// The run played itself: the screen says AUTO PLAY and judges nothing.
    bool autoPlay = false;
    Language language = Language::Japanese;
    TimingReport timing;
    /// The song's name, under the heading (nothing when empty).
    std::string song;
};

/// Draws the still screens and the pause mark into the back buffer, under the surface's lock,
/// and asks the view to show them. Holds the result the result screen shows (or showed last).
/// The play thread draws the result of its own song; every other call is the window thread's,
/// made while no play thread runs or while it cannot be drawing a frame.
class ScreenPainter {
public:
    ScreenPainter(Surface& surface, std::mutex& surfaceLock, ShellView& view, const JudgeTally& tally)
        : surface(surface), surfaceLock(surfaceLock), view(view), tally(tally) {}

    /// The pictures the title and result screens lie on (null: none). The title has one with its
    /// tagline in English (null: the other serves both languages).
    void setPictures(const Bitmap* title, const Bitmap* englishTitle, const Bitmap* result) {
        titlePicture = title;
        englishTitlePicture = englishTitle;
        resultPicture = result;
    }
    /// The title screen, on the picture of `language`; the result shown before goes, and its
    /// offer with it.
    void drawTitle(Language language);
    /// The result screen with `result`, which it keeps.
    void showResult(const PlayResult& result);
    /// The result screen again, as `result()` now says.
    void drawResult();
    /// The paused play's mark over the play field.
    void drawPauseLabel(Language language);
    PlayResult& result() { return shown; }
    const PlayResult& result() const { return shown; }

private:
    Surface& surface;
    std::mutex& surfaceLock;
    ShellView& view;
    const JudgeTally& tally;
    const Bitmap* titlePicture = nullptr;
    const Bitmap* englishTitlePicture = nullptr;
    const Bitmap* resultPicture = nullptr;
    PlayResult shown;
};

} // namespace tf

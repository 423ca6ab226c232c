#pragma once

#include <atomic>

namespace tf {

/// Decides which play frames draw. Off (the default), every frame draws. On, a frame draws only
/// when the window has shown the last picture drawn, so at most once per display refresh; the
/// frames in between judge, sound and count all the same but touch neither the surface nor what
/// only the drawing moves on.
class DrawPacing {
public:
    void setDrawOnlyWhenShown(bool on) { drawOnlyWhenShown = on; }
    /// The window has copied the picture out of the surface. Any thread.
    void notePictureShown() { pictureShown.store(true, std::memory_order_release); }

    /// Whether the frame about to run draws. Decided once per frame: only the play thread clears
    /// the flag, so a picture claimed here stays claimed.
    bool frameDraws() const { return !drawOnlyWhenShown || pictureShown.load(std::memory_order_acquire); }
    /// The frame has drawn a new picture, not yet shown.
    void pictureDrawn() {
        if (drawOnlyWhenShown) {
            pictureShown.store(false, std::memory_order_release);
        }
    }

private:
    bool drawOnlyWhenShown = false;
    /// Set by the window when it has shown the picture, cleared by the frame that draws anew.
    std::atomic<bool> pictureShown{true};
};

} // namespace tf

#pragma once

#include "game/TickTimer.h"
#include "platform/Surface.h"

#include <cstdint>

namespace tf {

/// The blinking "NOW PLAYING!" banner: -1 not started, 0 black, 1 orange, 500 ms each.
class NowPlayingBanner {
public:
    /// Duration 500 ms (armed flag and deadline left as they are), phase -1.
    void reset() {
        blinkTimer_.setDuration(500);
        phase_ = -1;
    }
    /// Draws the banner for song tick `now` and moves the phase on.
    void drawBanner(Surface& surface, std::uint32_t now);
    /// Puts `background` back over the place the banner is drawn at, which takes it away.
    static void eraseBanner(Surface& surface, const Bitmap* background);

    std::int32_t phase() const { return phase_; }
    TickTimer& blinkTimer() { return blinkTimer_; }

private:
    TickTimer blinkTimer_;
    std::int32_t phase_ = -1;
};

} // namespace tf

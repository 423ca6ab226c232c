#include "game/NowPlayingBanner.h"

namespace tf {

namespace {

constexpr Colour Black = 0x000000;
constexpr Colour Orange = 0x00A5FF;

} // namespace

void NowPlayingBanner::drawBanner(Surface& surface, std::uint32_t now) {
    switch (phase_) {
    case -1:
        // The first frame keeps whatever colour the surface had.
        blinkTimer_.start(true, now);
        phase_ = 0;
        break;
    case 0:
        surface.setTextColour(Black);
        if (!blinkTimer_.running(now)) {
            phase_ = 1;
            blinkTimer_.start(true, now);
        }
        break;
    case 1:
        surface.setTextColour(Orange);
        if (!blinkTimer_.running(now)) {
            phase_ = 0;
            blinkTimer_.start(true, now);
        }
        break;
    default:
        break;
    }
    surface.setTextAlign(TextAlign::Centre);
    surface.text(FontFace::PGothic, 20, (surface.width() + 262) / 2 + 20, surface.height() - 80,
                 "NOW PLAYING!");
}

} // namespace tf

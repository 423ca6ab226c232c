#include "game/NowPlayingBanner.h"

namespace tf {

namespace {

constexpr Colour Black = 0x000000;
constexpr Colour Orange = 0x00A5FF;

int CentreX(const Surface& surface) {
    return (surface.width() + 262) / 2 + 20;
}

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
    surface.text(FontFace::PGothic, 20, CentreX(surface), surface.height() - 80, "NOW PLAYING!");
}

void NowPlayingBanner::eraseBanner(Surface& surface, const Bitmap* background) {
    // Twelve characters at 20 pixels stay well inside 90 pixels either side of the centre.
    constexpr int halfWidth = 90;
    const int left = CentreX(surface) - halfWidth;
    const int top = surface.height() - 82;
    surface.blit(background, left, top, 2 * halfWidth, 26, left, top);
}

} // namespace tf

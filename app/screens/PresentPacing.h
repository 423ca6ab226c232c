#pragma once

#include <chrono>

namespace tf {

/// The time between two refreshes of a display refreshing `hertz` times a second; 60 Hz when
/// the rate is unknown (0) or not believable.
std::chrono::microseconds RefreshInterval(double hertz);

/// Shows the picture at most once per display refresh. The play thread asks for a repaint after
/// every picture it draws, which is as often as the window takes them: on a window system not
/// tied to the display that is hundreds a second, each scaled and sent to the screen for nothing.
/// Asked for a repaint, the window shows at once when a refresh has passed since the last
/// showing, or waits out the rest of it.
class PresentPacing {
public:
    using Clock = std::chrono::steady_clock;

    void setInterval(std::chrono::microseconds between) { interval = between; }
    std::chrono::microseconds refreshInterval() const { return interval; }
    /// How long to wait from `now` before the next showing; zero when it may be now.
    std::chrono::microseconds waitBeforeShowing(Clock::time_point now) const;
    /// The picture was shown at `now`.
    void shown(Clock::time_point now) { lastShown = now; }

private:
    std::chrono::microseconds interval = RefreshInterval(0);
    Clock::time_point lastShown{};
};

} // namespace tf

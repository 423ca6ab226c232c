#include "app/shell/PlayRunner.h"

#include "app/shell/ShellView.h"
#include "game/GamePlay.h"

#include <utility>

namespace tf {

PlayRunner::PlayRunner(GamePlay& game, std::mutex& surfaceLock, ShellView& view, SongEnd songEnd)
    : game(game), surfaceLock(surfaceLock), view(view), songEnd(std::move(songEnd)), worker_(game) {}

void PlayRunner::start(Language language) {
    // Read here, on the window thread, before the run can change them.
    const bool autoPlay = game.options().autoPlay();
    const std::int32_t offset = game.options().judgeOffset();
    worker_.start([this, autoPlay, offset, language](std::stop_token stop) {
        playLoop(stop, autoPlay, offset, language);
    });
}

bool PlayRunner::pause() {
    // The clock stops, the pump returns false at its next pass, and the channels go quiet.
    game.togglePause();
    worker_.join();
    // The song reached its end while it was being paused: its result is on the screen.
    paused_ = !game.songFinished();
    if (paused_) {
        // Nothing is playing now: the banner goes until the play goes on.
        std::lock_guard lock(surfaceLock);
        game.playField().eraseBanner();
    }
    return paused_;
}

void PlayRunner::resume(Language language) {
    game.togglePause();
    paused_ = false;
    start(language);
}

void PlayRunner::stop() {
    // A paused play has no thread, and its pause silenced the channels already.
    if (std::exchange(paused_, false)) {
        return;
    }
    worker_.stop();
}

void PlayRunner::playLoop(const std::stop_token& stop, bool autoPlay, std::int32_t offset,
                          Language language) {
    // The picture changes only as often as the window shows it: the view tells the game each
    // time it has copied the back buffer out. A frame takes the lock itself, and only when it
    // draws, so the frames in between never hold up the window's copy.
    game.setSurfaceLock(&surfaceLock);
    game.setDrawOnlyWhenShown(true);
    while (!stop.stop_requested() && game.pumpGame()) {
        // A stop asked for during the pass ends the run before another frame judges a press.
        if (!stop.stop_requested() && game.playFrame()) {
            view.requestRepaint();
        }
    }
    if (game.songFinished()) {
        // Worked out once, here, from the errors the play recorded; AUTO PLAY judges nothing.
        PlayResult result{autoPlay, language, {}, {}};
        if (!autoPlay) {
            result.timing = MakeTimingReport(game.session().hitErrors().errors(), offset);
        }
        songEnd(result);
    }
}

} // namespace tf

#include "tools/cli/HeadlessPlay.h"

namespace tf::cli {

namespace {

bool PastLimit(Clock& clock, const GameRun& run) {
    return clock.tickCount() - run.startTick > run.maxMs;
}

} // namespace

void PlayGame(GamePlay& game, Clock& clock, const GameRun& run) {
    game.options().setAutoPlay(run.autoPlay);
    game.options().setSpeedMultiplier(run.speed);
    // As the chart builder leaves them: every channel the player did not choose sounds.
    for (int c = 0; c < 16; ++c) {
        game.soundedChannels()[static_cast<std::size_t>(c)] = (run.partMask >> c & 1u) == 0;
    }
    game.rewind();
    while (!PastLimit(clock, run) && game.pumpGame()) {
        clock.sleep(1);
    }
}

void PlayPreview(GamePlay& game, Clock& clock, int channel, const GameRun& run) {
    game.startPreview(channel);
    while (!PastLimit(clock, run)) {
        // A song with no track left to walk would fast-forward for ever without moving the
        // clock; then the passes take their millisecond like any other, and the limit ends it.
        const bool fastForward = game.previewWaiting() && game.endedTrackCount() < game.trackCount();
        if (!game.pumpPreview()) {
            break;
        }
        if (!fastForward) {
            clock.sleep(1);
        }
    }
}

} // namespace tf::cli

#include "tools/cli/HeadlessPlay.h"

namespace tf::cli {

namespace {

bool PastLimit(Clock& clock, const GameRun& run) {
    return clock.tickCount() - run.startTick > run.maxMs;
}

} // namespace

ChartResult PrepareChart(GamePlay& game, const GameRun& run) {
    PlayOptions& options = game.options();
    options.setAutoPlay(run.autoPlay);
    options.setSpeedMultiplier(run.speed);
    options.setLaneCount(run.laneCount);
    options.setLevel(run.level);
    options.setJudgeOffset(run.offset);
    return game.buildChart(run.partMask);
}

bool PlayGame(GamePlay& game, Clock& clock, KeyLatch& keys, const GameRun& run, PressScript& presses) {
    if (PrepareChart(game, run) == ChartResult::Overflow) {
        return false;
    }
    game.resetForPlay();
    while (!PastLimit(clock, run) && game.pumpGame()) {
        presses.deliverUpTo(game.songTime(), game.keyBindings(), keys);
        game.playFrame();
    }
    return true;
}

void PlayPreview(GamePlay& game, Clock& clock, int channel, const GameRun& run) {
    game.startPreview(channel);
    while (!PastLimit(clock, run)) {
        // A song with no track left to walk would fast-forward for ever without moving the
        // clock; then the passes take their millisecond like any other, and the limit ends it.
        const bool fastForward =
            game.previewWaiting() && game.sequencer().endedTrackCount() < game.song().trackCount();
        if (!game.pumpPreview()) {
            break;
        }
        if (!fastForward) {
            clock.sleep(1);
        }
    }
}

} // namespace tf::cli

#include "app/shell/LastPlay.h"

#include "game/GamePlay.h"

#include <utility>

namespace tf {

void LastPlay::remember(const std::filesystem::path& path, std::uint32_t partMask, const PlayOptions& options,
                        std::string name) {
    play = Play{path, partMask, options, std::move(name)};
    chartIsCurrent = true;
}

LastPlay::Replay LastPlay::makeCurrent(GamePlay& game) {
    if (chartIsCurrent) {
        return Replay::Ready;
    }
    if (game.load(play->path) == LoadResult::Failed) {
        return Replay::LoadFailed;
    }
    game.options() = play->options;
    if (game.buildChart(play->partMask) == ChartResult::Overflow) {
        return Replay::TooManyNotes;
    }
    chartIsCurrent = true;
    return Replay::Ready;
}

void LastPlay::setJudgeOffset(std::int32_t offset) {
    if (play) {
        play->options.setJudgeOffset(offset);
    }
}

} // namespace tf

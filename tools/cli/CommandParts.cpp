#include "tools/cli/CommandParts.h"

#include "tools/cli/Commands.h"

#include <cstdio>

namespace tf::cli {

void PrintError(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

bool Load(GamePlay& game, const std::string& path) {
    if (game.load(path) == LoadResult::Failed) {
        PrintError(LoadFailureText);
        return false;
    }
    return true;
}

GameRun RunOf(const CliArguments& arguments) {
    GameRun run;
    run.partMask = arguments.partMask;
    run.autoPlay = arguments.autoPlay;
    run.speed = arguments.speed;
    run.laneCount = arguments.laneCount;
    run.level = arguments.level;
    run.offset = arguments.offset;
    run.startTick = arguments.startTick;
    run.maxMs = arguments.maxMs;
    return run;
}

} // namespace tf::cli

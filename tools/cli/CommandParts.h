#pragma once

#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/Surface.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/HeadlessPlay.h"
#include "tools/cli/StderrSink.h"

#include <string>
#include <string_view>

namespace tf::cli {

/// The seams of a game that nobody watches or plays.
struct Headless {
    KeyLatch keys;
    NullSurface surface;
    StderrSink messages;
};

/// One line on stderr.
void PrintError(std::string_view text);

/// Loads `path` into `game`; false after saying on stderr that it failed.
bool Load(GamePlay& game, const std::string& path);

/// The play the command line asks for.
GameRun RunOf(const CliArguments& arguments);

} // namespace tf::cli

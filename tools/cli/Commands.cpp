#include "tools/cli/Commands.h"

#include "game/GamePlay.h"
#include "game/HitErrors.h"
#include "platform/ManualClock.h"
#include "platform/SilentPort.h"
#include "song/SongTime.h"
#include "tools/cli/ChartJson.h"
#include "tools/cli/CommandParts.h"
#include "tools/cli/EventLogPort.h"
#include "tools/cli/HeadlessPlay.h"
#include "tools/cli/PressScript.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace tf::cli {

namespace {

/// The presses of `path`, or null after saying on stderr why there are none.
std::optional<PressScript> ReadPresses(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        PrintError("tonefalls-cli: cannot read " + path);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    ParsedPresses parsed = ParsePresses(text.str());
    if (!parsed.script) {
        PrintError("tonefalls-cli: " + path + ": " + parsed.error);
    }
    return std::move(parsed.script);
}

} // namespace

int RunInfo(const CliArguments& arguments) {
    Headless headless;
    ManualClock clock;
    // The census passes program changes on to the output; nobody is listening here.
    SilentPort port;
    GamePlay game(clock, headless.keys, port, headless.surface, headless.messages);
    if (!Load(game, arguments.file)) {
        return ExitFailure;
    }
    std::string line = "{\"trackCount\":" + std::to_string(game.song().trackCount()) +
                       ",\"division\":" + std::to_string(game.song().division()) +
                       ",\"tempo\":" + std::to_string(game.sequencer().tempo()) + ",\"census\":[";
    for (int channel = 0; channel < 16; ++channel) {
        line += (channel == 0 ? "" : ",") + std::to_string(game.countPartNotes(channel));
    }
    line += "]}\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return ExitOk;
}

int RunChart(const CliArguments& arguments) {
    Headless headless;
    ManualClock clock;
    SilentPort port;
    GamePlay game(clock, headless.keys, port, headless.surface, headless.messages);
    if (!Load(game, arguments.file)) {
        return ExitFailure;
    }
    // An overflowed chart is shown as it stands, so the reason can be seen.
    const bool overflow = PrepareChart(game, RunOf(arguments)) == ChartResult::Overflow;
    const std::string line =
        ChartJson(game.chart(), game.soundedChannels(), game.options().laneCount(), overflow) + '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}

int RunEvents(const CliArguments& arguments) {
    PressScript presses;
    if (!arguments.pressesFile.empty()) {
        auto read = ReadPresses(arguments.pressesFile);
        if (!read) {
            return ExitUsage;
        }
        presses = std::move(*read);
    }
    Headless headless;
    ManualClock clock(arguments.startTick);
    EventLogPort port(clock, arguments.startTick, stdout);
    GamePlay game(clock, headless.keys, port, headless.surface, headless.messages);
    if (!Load(game, arguments.file)) {
        return ExitFailure;
    }
    const GameRun run = RunOf(arguments);
    if (arguments.previewChannel) {
        PlayPreview(game, clock, *arguments.previewChannel, run);
    } else {
        if (!PlayGame(game, clock, headless.keys, run, presses)) {
            PrintError(TooManyNotesText);
            return ExitFailure;
        }
        if (!arguments.pressesFile.empty()) {
            const JudgeTally& tally = game.tally();
            std::printf("# tally %d %d %d %d %d\n", tally.perfect(), tally.great(), tally.good(), tally.ok(),
                        tally.bad());
            const HitErrorSummary errors = SummarizeHitErrors(game.session().hitErrors().errors());
            std::printf("# error median %d mean %.1f iqr %d n %zu\n", static_cast<int>(errors.median),
                        errors.mean, static_cast<int>(errors.spread), errors.count);
        }
    }
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}

} // namespace tf::cli

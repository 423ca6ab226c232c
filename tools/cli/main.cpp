#include "tools/cli/CommandLine.h"
#include "tools/cli/Commands.h"
#include "tools/cli/RecordsCommand.h"
#ifdef TF_CLI_RENDER
#include "tools/cli/RenderCommand.h"
#endif
#ifdef TF_CLI_TIMING
#include "tools/cli/TimingCommand.h"
#endif

#include "tf_version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    using namespace tf::cli;
#ifdef _WIN32
    // The logs and dumps are the same bytes on every system: no "\r" before each "\n".
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string_view> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(words);
    if (!parsed.arguments) {
        std::fprintf(stderr, "tonefalls-cli: %s\n%.*s", parsed.error.c_str(),
                     static_cast<int>(UsageText().size()), UsageText().data());
        return ExitUsage;
    }
    switch (parsed.arguments->command) {
    case Command::Info:
        return RunInfo(*parsed.arguments);
    case Command::Chart:
        return RunChart(*parsed.arguments);
    case Command::Events:
        return RunEvents(*parsed.arguments);
    case Command::Render:
#ifdef TF_CLI_RENDER
        return RunRender(*parsed.arguments);
#else
        std::fputs("tonefalls-cli: render needs FluidSynth, which this build was made without\n", stderr);
        return ExitFailure;
#endif
    case Command::Timing:
#ifdef TF_CLI_TIMING
        return RunTiming(*parsed.arguments);
#else
        std::fputs("tonefalls-cli: timing needs Qt 6, which this build was made without\n", stderr);
        return ExitFailure;
#endif
    case Command::Records:
        return RunRecords(*parsed.arguments);
    case Command::ReplayPath:
        return RunReplayPath(*parsed.arguments);
    case Command::Help:
        std::fwrite(UsageText().data(), 1, UsageText().size(), stdout);
        return ExitOk;
    case Command::Version:
        std::printf("tonefalls-cli %.*s\n", static_cast<int>(tf::Version.size()), tf::Version.data());
        return ExitOk;
    }
    return ExitUsage;
}

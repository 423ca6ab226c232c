#include "tools/cli/RenderCommand.h"

#include "platform/SynthOutput.h"
#include "platform/midi/FluidSynthPort.h"
#include "song/SongTime.h"
#include "tools/cli/CommandParts.h"
#include "tools/cli/Commands.h"
#include "tools/cli/HeadlessPlay.h"
#include "tools/cli/PressScript.h"
#include "tools/cli/RenderClock.h"
#include "tools/cli/WavWriter.h"

#include <unistd.h>

#include <cstdio>

namespace tf::cli {

int RunRender(const CliArguments& arguments) {
    Headless headless;
    FluidSynthPort synth(arguments.soundFont, FluidSynthPort::Mode::Offline);
    WavWriter wav;
    RenderClock clock(synth, wav);
    GamePlay game(clock, headless.keys, synth, headless.surface, headless.messages);
    // The device has already told the user why on stderr.
    if (!game.device().isOpen()) {
        return ExitFailure;
    }
    if (!Load(game, arguments.file)) {
        return ExitFailure;
    }
    if (!wav.open(arguments.out, SynthOutput::SampleRate, 2)) {
        std::fprintf(stderr, "tonefalls-cli: cannot create %s\n", arguments.out.c_str());
        return ExitFailure;
    }
    // The song's first event sounds one lead time after the rewind; the file starts there.
    clock.discardBefore(static_cast<std::uint32_t>(LeadTime(game.sequencer().tempo(), 1.0)));
    const bool terminal = isatty(STDERR_FILENO) == 1;
    clock.showProgress(terminal);

    GameRun run = RunOf(arguments);
    run.autoPlay = !arguments.partsGiven;
    run.speed = 1.0;
    PressScript nobody;
    if (!PlayGame(game, clock, headless.keys, run, nobody)) {
        PrintError(TooManyNotesText);
        return ExitFailure;
    }
    constexpr std::uint32_t TailMs = 1000;
    clock.sleep(TailMs);
    if (terminal) {
        std::fputc('\n', stderr);
    }
    if (!wav.finish() || !clock.ok()) {
        std::fprintf(stderr, "tonefalls-cli: cannot write %s\n", arguments.out.c_str());
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace tf::cli

#include "app/OutputTexts.h"

namespace tf {

std::string AboutSoundLine(const PortDescription& port, bool opened) {
    if (!opened || port.output.empty()) {
        return "Sound: none";
    }
    return "Sound: " + port.output;
}

std::string OutputFailureLine(const PortDescription& port, bool hasCommandLine) {
    std::string line = !port.failure.empty()  ? port.failure
                       : !port.output.empty() ? port.output + " did not open"
                                              : std::string("The MIDI output did not open");
    line += ". The game plays without sound.";
    if (hasCommandLine) {
        line += " Another output: --midi-out fluidsynth|alsa:NAME|none, --audio-driver NAME, "
                "--soundfont FILE.";
    }
    return line;
}

} // namespace tf

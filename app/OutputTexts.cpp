#include "app/OutputTexts.h"

#include "app/Texts.h"

namespace tf {

std::string AboutSoundLine(const PortDescription& port, bool opened, Language language) {
    std::string line(Text(TextId::SoundLabel, language));
    line += !opened || port.output.empty() ? Text(TextId::NoSound, language) : std::string_view(port.output);
    return line;
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

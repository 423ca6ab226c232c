#include "app/text/OutputTexts.h"

#include "app/text/Texts.h"

namespace tf {

std::string AboutSoundLine(const PortDescription& port, bool opened, Language language) {
    std::string line(Text(TextId::SoundLabel, language));
    line += !opened || port.output.empty() ? Text(TextId::NoSound, language) : std::string_view(port.output);
    return line;
}

std::string OutputFailureLine(const PortDescription& port, bool hasCommandLine, Language language) {
    // What failed is the port's own account, in the words of the library that failed.
    std::string line = !port.failure.empty()  ? port.failure
                       : !port.output.empty() ? port.output + " did not open"
                                              : std::string("The MIDI output did not open");
    line += language == Language::English ? ". " : ": ";
    line += Text(TextId::PlaysSilently, language);
    if (hasCommandLine) {
        line += ' ';
        line += Text(TextId::OtherOutputOptions, language);
    }
    return line;
}

} // namespace tf

#include "app/text/OutputTexts.h"

#include "app/text/Texts.h"

namespace tf {

std::string AboutSoundLine(const PortDescription& port, bool opened, Language language) {
    std::string line(Text(TextId::SoundLabel, language));
    line += !opened || port.output.empty() ? Text(TextId::NoSound, language) : std::string_view(port.output);
    return line;
}

} // namespace tf

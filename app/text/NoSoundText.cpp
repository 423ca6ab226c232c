#include "app/text/NoSoundText.h"

#include "app/text/Texts.h"

namespace tf {

namespace {

// The core's own text, in the language the player reads: the game's texts are Japanese, and
// each has its English row in the table.
std::string_view InLanguage(std::string_view text, Language language) {
    for (TextId id : {TextId::OutputNotFound, TextId::OutputAllocated, TextId::OutputBadDeviceId,
                      TextId::OutputInvalidParam, TextId::OutputNoMemory}) {
        if (text == Text(id, Language::Japanese)) {
            return Text(id, language);
        }
    }
    return text;
}

std::string_view CauseLine(const PortDescription& port, std::string_view coreText, Language language) {
    switch (port.cause) {
    case PortFailure::NoMidiOutput:
        return Text(TextId::OutputNoMidiOutput, language);
    case PortFailure::NoAudioDriver:
        return Text(TextId::OutputNoAudioDriver, language);
    case PortFailure::NoSoundFont:
        return Text(TextId::OutputNoSoundFont, language);
    case PortFailure::NoMemory:
        return Text(TextId::OutputNoMemory, language);
    case PortFailure::None:
        break;
    }
    return InLanguage(coreText, language);
}

} // namespace

std::string OutputFailureText(const PortDescription& port, std::string_view coreText, bool hasCommandLine,
                              Language language) {
    std::string text(CauseLine(port, coreText, language));
    // The library's words stay as the library wrote them, on a line of their own.
    text += '\n';
    text += Text(TextId::OutputDetailLabel, language);
    text += !port.failure.empty()  ? port.failure
            : !port.output.empty() ? port.output + " did not open"
                                   : std::string("the MIDI output did not open");
    text += '\n';
    text += Text(TextId::PlaysSilently, language);
    if (hasCommandLine) {
        // One option a line, so that no box breaks one in the middle.
        text += "\n\n";
        text += Text(TextId::OtherOutputOptions, language);
    }
    return text;
}

std::string OutputFailureKey(const PortDescription& port) {
    if (port.failure.empty()) {
        return {};
    }
    std::string key = port.output + " / " + port.failure;
    for (char& c : key) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return key;
}

} // namespace tf

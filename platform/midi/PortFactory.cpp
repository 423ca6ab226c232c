#include "platform/midi/PortFactory.h"

#include "platform/SilentPort.h"
#include "platform/midi/FluidSynthPort.h"
#include "platform/midi/RtMidiPort.h"

namespace tf {

namespace {

constexpr std::string_view AlsaPrefix = "alsa:";

} // namespace

std::unique_ptr<MidiPort> MakeMidiPort(std::string_view word, std::string_view soundFont,
                                       std::string_view audioDriver) {
    if (word.empty() || word == DefaultMidiOut) {
        return std::make_unique<FluidSynthPort>(soundFont, FluidSynthPort::Mode::RealTime, audioDriver);
    }
    if (word == "none") {
        return std::make_unique<SilentPort>();
    }
    if (word.starts_with(AlsaPrefix) && word.size() > AlsaPrefix.size()) {
        return std::make_unique<RtMidiPort>(word.substr(AlsaPrefix.size()));
    }
    return nullptr;
}

} // namespace tf

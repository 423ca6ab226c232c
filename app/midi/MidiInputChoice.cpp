#include "app/midi/MidiInputChoice.h"

#include "platform/ParseNumber.h"
#include "platform/PortChoice.h"

#include <algorithm>

namespace tf {

namespace {

constexpr std::string_view MidiThrough = "Midi Through";
// ALSA gives user-space clients (programs) the numbers from 128 up; below are the kernel's.
constexpr unsigned FirstProgramClient = 128;

/// The client number of an ALSA port name ending in " C:P"; null for any other name.
std::optional<unsigned> AlsaClient(std::string_view port) {
    const std::size_t space = port.rfind(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view address = port.substr(space + 1);
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || !ParseNumber<unsigned>(address.substr(colon + 1))) {
        return std::nullopt;
    }
    return ParseNumber<unsigned>(address.substr(0, colon));
}

} // namespace

bool IsHardwareMidiInput(std::string_view port) {
    if (port.starts_with(MidiThrough)) {
        return false;
    }
    const auto client = AlsaClient(port);
    return !client || *client < FirstProgramClient;
}

bool NamesMidiInput(std::string_view choice) {
    return !choice.empty() && choice != AutoMidiInput && choice != NoMidiInput;
}

std::optional<std::size_t> ChooseMidiInput(std::span<const std::string> ports, std::string_view choice) {
    if (choice == NoMidiInput) {
        return std::nullopt;
    }
    if (NamesMidiInput(choice)) {
        return ChooseMidiPort(ports, choice);
    }
    const auto chosen = std::find_if(ports.begin(), ports.end(),
                                     [](const std::string& port) { return IsHardwareMidiInput(port); });
    if (chosen == ports.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(chosen - ports.begin());
}

MidiInputMenu MakeMidiInputMenu(std::span<const std::string> ports, std::string_view connected,
                                std::size_t maxItems) {
    MidiInputMenu menu;
    const std::size_t shown = std::min(ports.size(), maxItems > 0 ? maxItems - 1 : 0);
    menu.items.assign(ports.begin(), ports.begin() + static_cast<std::ptrdiff_t>(shown));
    menu.items.emplace_back(NoMidiInputItem);
    const auto inUse = std::find(menu.items.begin(), menu.items.end() - 1, connected);
    menu.checked = connected.empty() ? shown : static_cast<std::size_t>(inUse - menu.items.begin());
    return menu;
}

std::string MenuItemText(std::string_view name) {
    std::string text;
    for (const char c : name) {
        text += c;
        if (c == '&') {
            text += '&';
        }
    }
    return text;
}

} // namespace tf

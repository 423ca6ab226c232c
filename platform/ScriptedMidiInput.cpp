#include "platform/ScriptedMidiInput.h"

#include <algorithm>
#include <array>

namespace tf {

ScriptedMidiInput::ScriptedMidiInput(std::vector<std::string> portNames) : names(std::move(portNames)) {}

std::vector<std::string> ScriptedMidiInput::ports() {
    const std::lock_guard lock(mutex);
    return names;
}

MidiInputOpen ScriptedMidiInput::open(std::string_view port) {
    const std::lock_guard lock(mutex);
    connected.clear();
    if (std::find(names.begin(), names.end(), port) == names.end()) {
        return MidiInputOpen::NoSuchPort;
    }
    connected = port;
    return MidiInputOpen::Opened;
}

void ScriptedMidiInput::close() {
    const std::lock_guard lock(mutex);
    connected.clear();
}

std::string ScriptedMidiInput::connectedPort() const {
    const std::lock_guard lock(mutex);
    return connected;
}

bool ScriptedMidiInput::send(std::span<const std::uint8_t> bytes) {
    const std::lock_guard lock(mutex);
    if (connected.empty()) {
        return false;
    }
    deliver(bytes);
    return true;
}

bool ScriptedMidiInput::sendNoteOn(std::uint8_t channel, std::uint8_t key, std::uint8_t velocity) {
    const std::array<std::uint8_t, 3> bytes{static_cast<std::uint8_t>(0x90 | (channel & 0x0F)), key,
                                            velocity};
    return send(bytes);
}

void ScriptedMidiInput::unplug() {
    {
        const std::lock_guard lock(mutex);
        if (connected.empty()) {
            return;
        }
        std::erase(names, connected);
        connected.clear();
    }
    // Outside the lock: a handler may well close the input.
    reportLost();
}

void ScriptedMidiInput::setPorts(std::vector<std::string> portNames) {
    const std::lock_guard lock(mutex);
    names = std::move(portNames);
}

} // namespace tf

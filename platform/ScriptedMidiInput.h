#pragma once

#include "platform/MidiInput.h"

#include <mutex>
#include <string>
#include <vector>

namespace tf {

/// A MIDI input for tests and the timing harness: its ports are the names it is given, and a
/// message arrives when someone sends it, on the sender's thread.
class ScriptedMidiInput final : public MidiInput {
public:
    explicit ScriptedMidiInput(std::vector<std::string> portNames = {"Scripted keyboard"});

    std::vector<std::string> ports() override;
    MidiInputOpen open(std::string_view port) override;
    void close() override;
    std::string connectedPort() const override;

    /// As though the connected port had sent `bytes`: the note handler runs before this returns,
    /// on the calling thread (any thread). False, with nothing delivered, when no port is connected.
    bool send(std::span<const std::uint8_t> bytes);
    /// `send` of a note-on (0x90 | channel, key, velocity).
    bool sendNoteOn(std::uint8_t channel, std::uint8_t key, std::uint8_t velocity);
    /// The connected port goes away, as an unplugged keyboard does: it leaves the list, input
    /// ends, and the lost handler runs on the calling thread. Nothing happens when none is connected.
    void unplug();
    /// The ports there are from now on; the connected one stays connected.
    void setPorts(std::vector<std::string> portNames);

private:
    // Held while a message is delivered, so that `close` returns only once no handler runs.
    mutable std::mutex mutex;
    std::vector<std::string> names;
    std::string connected;
};

} // namespace tf

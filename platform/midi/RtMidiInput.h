#pragma once

#include "platform/MidiInput.h"
#include "platform/PortWatcher.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class RtMidiIn;

namespace tf {

/// MIDI input from an ALSA sequencer port. Note messages arrive on the library's input thread;
/// system exclusive, timing and active sensing are not even passed up. ALSA does not tell an
/// input that its port went away, so a watcher looks for the port in the list twice a second.
class RtMidiInput final : public MidiInput {
public:
    RtMidiInput();
    ~RtMidiInput() override;
    RtMidiInput(const RtMidiInput&) = delete;
    RtMidiInput& operator=(const RtMidiInput&) = delete;

    /// The readable ports of other clients; empty when there is no sequencer. Our own output
    /// port (with `--midi-out alsa:...`) is left out: playing it back in would press the lanes.
    std::vector<std::string> ports() override;
    MidiInputOpen open(std::string_view port) override;
    void close() override;
    std::string connectedPort() const override;

private:
    static void OnMessage(double, std::vector<unsigned char>* message, void* self);
    void portGone();

    mutable std::mutex mutex;
    std::unique_ptr<RtMidiIn> in;
    std::string connected;
    bool lost = false;
    /// Raised by the library's error callback; read right after the calls that open the port.
    std::atomic<bool> callFailed{false};
    std::unique_ptr<PortWatcher> watcher;
};

/// The input ports an ALSA listing shows that another client owns: leaves out those of the
/// client named `ownClient` ("Tonefalls:..." for ours).
std::vector<std::string> OtherClientsPorts(std::vector<std::string> names, std::string_view ownClient);

} // namespace tf

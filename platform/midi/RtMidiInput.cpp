#include "platform/midi/RtMidiInput.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace tf {

namespace {

constexpr const char* ClientName = "Tonefalls";
constexpr const char* InputPortName = "Tonefalls input";
// Without the kernel's sequencer device no client can exist, and the library would say so at
// length on stderr before failing.
constexpr const char* SequencerDevice = "/dev/snd/seq";

// With a callback installed the library reports instead of throwing and stays quiet on stderr.
// The flag is atomic because the input's own thread may report too.
void RecordError(RtMidiError::Type type, const std::string&, void* failed) {
    if (failed != nullptr && type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING) {
        static_cast<std::atomic<bool>*>(failed)->store(true);
    }
}

/// A sequencer client of our own for asking what is there; null when there is no sequencer.
std::unique_ptr<RtMidiIn> MakeClient(std::atomic<bool>* failed) {
    std::error_code error;
    if (!std::filesystem::exists(SequencerDevice, error)) {
        return nullptr;
    }
    try {
        auto client = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, ClientName);
        client->setErrorCallback(RecordError, failed);
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

std::vector<std::string> AllPorts(RtMidiIn& client) {
    std::vector<std::string> names;
    const unsigned count = client.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        names.push_back(client.getPortName(i));
    }
    return names;
}

} // namespace

std::vector<std::string> OtherClientsPorts(std::vector<std::string> names, std::string_view ownClient) {
    const std::string prefix = std::string(ownClient) + ":";
    std::erase_if(names, [&](const std::string& name) { return name.starts_with(prefix); });
    return names;
}

RtMidiInput::RtMidiInput() = default;

RtMidiInput::~RtMidiInput() {
    close();
}

std::vector<std::string> RtMidiInput::ports() {
    const std::unique_ptr<RtMidiIn> client = MakeClient(nullptr);
    if (!client) {
        return {};
    }
    return OtherClientsPorts(AllPorts(*client), ClientName);
}

MidiInputOpen RtMidiInput::open(std::string_view port) {
    close();
    const std::lock_guard lock(mutex);
    callFailed = false;
    std::unique_ptr<RtMidiIn> next = MakeClient(&callFailed);
    if (!next) {
        return MidiInputOpen::NoSuchPort;
    }
    const std::vector<std::string> names = AllPorts(*next);
    const auto found = std::find(names.begin(), names.end(), port);
    if (found == names.end() || port.starts_with(std::string(ClientName) + ":")) {
        return MidiInputOpen::NoSuchPort;
    }
    next->ignoreTypes(true, true, true);
    next->setCallback(&RtMidiInput::OnMessage, this);
    next->openPort(static_cast<unsigned>(found - names.begin()), InputPortName);
    if (callFailed || !next->isPortOpen()) {
        return MidiInputOpen::Refused;
    }
    in = std::move(next);
    connected = port;
    lost = false;
    // The watcher asks through a client of its own: the input's is busy on its own thread.
    std::shared_ptr<RtMidiIn> lister = MakeClient(nullptr);
    if (lister) {
        watcher = std::make_unique<PortWatcher>([lister] { return AllPorts(*lister); }, connected,
                                                [this] { portGone(); });
    }
    return MidiInputOpen::Opened;
}

void RtMidiInput::close() {
    // First, so that the watcher is not waiting for the lock below when it is joined.
    watcher.reset();
    const std::lock_guard lock(mutex);
    if (in) {
        // Joins the library's input thread: no message is handed on after this.
        in->closePort();
        in.reset();
    }
    connected.clear();
    lost = false;
}

std::string RtMidiInput::connectedPort() const {
    const std::lock_guard lock(mutex);
    return lost ? std::string() : connected;
}

void RtMidiInput::OnMessage(double, std::vector<unsigned char>* message, void* self) {
    if (message != nullptr) {
        static_cast<RtMidiInput*>(self)->deliver(*message);
    }
}

void RtMidiInput::portGone() {
    {
        const std::lock_guard lock(mutex);
        lost = true;
    }
    reportLost();
}

} // namespace tf

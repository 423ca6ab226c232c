#include "platform/midi/RtMidiPort.h"

#include "platform/midi/QuietAlsaErrors.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

namespace tf {

namespace {

constexpr const char* ClientName = "Tonefalls";
// The kernel's sequencer device: without it no client can exist, and the libraries would say so
// at length on stderr before failing.
constexpr const char* SequencerDevice = "/dev/snd/seq";

// With a callback installed the library reports instead of throwing and stays quiet on stderr;
// the flag it raises is read back right after each call, under the port's lock.
void RecordError(RtMidiError::Type type, const std::string&, void* userData) {
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING) {
        *static_cast<bool*>(userData) = true;
    }
}

} // namespace

std::size_t ShortMessageLength(std::uint8_t status) {
    if (status < 0x80) {
        return 0;
    }
    if (status < 0xF0) {
        const std::uint8_t kind = status & 0xF0;
        return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
    }
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF2:
        return 3;
    case 0xF0:
    case 0xF7:
        return 0;
    default:
        return 1;
    }
}

RtMidiPort::RtMidiPort(std::string_view selector) : selector(selector) {}

RtMidiPort::~RtMidiPort() {
    // A port that is not open answers `NotOpen`, which is all the same here.
    static_cast<void>(close());
}

PortResult RtMidiPort::open() {
    std::lock_guard lock(mutex);
    if (out) {
        return PortResult::Ok;
    }
    failure.clear();
    std::error_code error;
    if (!std::filesystem::exists(SequencerDevice, error)) {
        failure = std::string("ALSA sequencer: no ") + SequencerDevice;
        return PortResult::NoDevice;
    }
    const QuietAlsaErrors quiet;
    std::unique_ptr<RtMidiOut> next;
    try {
        next = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, ClientName);
    } catch (const RtMidiError&) {
        failure = "ALSA sequencer: it does not open";
        return PortResult::NoDevice;
    }
    callFailed = false;
    next->setErrorCallback(RecordError, &callFailed);

    const unsigned count = next->getPortCount();
    std::vector<std::string> names;
    for (unsigned i = 0; i < count; ++i) {
        names.push_back(next->getPortName(i));
    }
    const std::optional<std::size_t> chosen = ChooseMidiPort(names, selector);
    if (!chosen || callFailed) {
        failure = "ALSA: no sequencer port " + selector;
        return PortResult::NoSuchDevice;
    }
    next->openPort(static_cast<unsigned>(*chosen), ClientName);
    if (callFailed || !next->isPortOpen()) {
        failure = "ALSA: the port " + names[*chosen] + " refused the connection";
        return PortResult::InUse;
    }
    connectedName = names[*chosen];
    out = std::move(next);
    return PortResult::Ok;
}

PortResult RtMidiPort::send(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex);
    if (!out) {
        return PortResult::NotOpen;
    }
    if (bytes.empty()) {
        return PortResult::Ok;
    }
    callFailed = false;
    out->sendMessage(bytes.data(), bytes.size());
    return callFailed ? PortResult::Failed : PortResult::Ok;
}

PortResult RtMidiPort::sendShort(std::uint32_t word) {
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                                   static_cast<std::uint8_t>(word >> 16)};
    return send(std::span(bytes).first(ShortMessageLength(bytes[0])));
}

PortResult RtMidiPort::sendLong(std::span<const std::uint8_t> message) {
    return send(message);
}

bool RtMidiPort::longDone() {
    return true;
}

PortResult RtMidiPort::close() {
    std::lock_guard lock(mutex);
    if (!out) {
        return PortResult::NotOpen;
    }
    out->closePort();
    out.reset();
    connectedName.clear();
    return PortResult::Ok;
}

std::string RtMidiPort::portName() const {
    std::lock_guard lock(mutex);
    return connectedName;
}

PortDescription RtMidiPort::describe() const {
    std::lock_guard lock(mutex);
    return {"ALSA port " + (connectedName.empty() ? selector : connectedName), failure,
            failure.empty() ? PortFailure::None : PortFailure::NoMidiOutput};
}

} // namespace tf

#include "song/MidiOutDevice.h"

namespace tf {

namespace {

constexpr std::string_view Caption = "Tonefalls";

} // namespace

MidiOutDevice::MidiOutDevice(MidiPort& port, MessageSink& messages) : port(port), messages(messages) {}

// A long message still in the slot is not released, but the port is closed first, so nothing can
// read the buffers when they go.
MidiOutDevice::~MidiOutDevice() {
    if (opened) {
        close();
    }
}

std::string_view MidiOutDevice::OpenFailureText(PortResult result) {
    switch (result) {
    case PortResult::NoDevice:
        return "MIDIポートが見つかりません。";
    case PortResult::InUse:
        return "指定されたリソースは既に割り当てられています。";
    case PortResult::NoSuchDevice:
        return "指定されたデバイス識別子は範囲外です。";
    case PortResult::BadArgument:
        return "指定されたポインタまたは構造体は無効です。";
    case PortResult::OutOfMemory:
        return "システムはメモリを割り当てられてないか、またはロックできません。";
    default:
        return {};
    }
}

bool MidiOutDevice::open() {
    const PortResult result = port.open();
    lastResult_.store(result, std::memory_order_relaxed);
    opened = result == PortResult::Ok;
    const std::string_view text = OpenFailureText(result);
    if (text.empty()) {
        return false;
    }
    messages.showMessage(MessageIcon::Stop, Caption, text);
    return true;
}

bool MidiOutDevice::sendShort(int status, int data1, int data2) {
    if (!opened) {
        // A port that never opened has no handle: the send fails and the game stays silent.
        lastResult_.store(PortResult::NotOpen, std::memory_order_relaxed);
        return true;
    }
    const std::uint32_t word = (static_cast<std::uint32_t>(status) & 0xFFu) |
                               (static_cast<std::uint32_t>(data1) & 0xFFu) << 8 |
                               (static_cast<std::uint32_t>(data2) & 0xFFu) << 16;
    const PortResult result = port.sendShort(word);
    lastResult_.store(result, std::memory_order_relaxed);
    return result != PortResult::Ok;
}

bool MidiOutDevice::prepareLong(std::span<const std::uint8_t> payload) {
    freeRetiredIfDone();
    if (longPending && longSent) {
        // The port may still be reading the message this one displaces.
        retired.push_back(std::move(longBuffer));
    }
    std::vector<std::uint8_t> message;
    if (!payload.empty() && payload.back() == 0xF7) {
        message.reserve(payload.size() + 1);
        message.push_back(0xF0);
    }
    message.insert(message.end(), payload.begin(), payload.end());
    longBuffer = std::move(message);
    longPending = true;
    longSent = false;
    const PortResult result = opened ? PortResult::Ok : PortResult::NotOpen;
    lastResult_.store(result, std::memory_order_relaxed);
    return result != PortResult::Ok;
}

bool MidiOutDevice::sendLong() {
    PortResult result = PortResult::NotOpen;
    if (opened) {
        result = longPending ? port.sendLong(longBuffer) : PortResult::BadArgument;
    }
    lastResult_.store(result, std::memory_order_relaxed);
    if (result != PortResult::Ok) {
        return true;
    }
    longSent = true;
    return false;
}

bool MidiOutDevice::longDone() {
    freeRetiredIfDone();
    // A message that never reached the port is never done, as a header the driver never saw.
    return longPending && longSent && port.longDone();
}

bool MidiOutDevice::releaseLong() {
    if (!longPending) {
        return false;
    }
    freeRetiredIfDone();
    if (longSent && !port.longDone()) {
        retired.push_back(std::move(longBuffer));
    }
    longBuffer = {};
    longPending = false;
    longSent = false;
    const PortResult result = opened ? PortResult::Ok : PortResult::NotOpen;
    lastResult_.store(result, std::memory_order_relaxed);
    return result != PortResult::Ok;
}

bool MidiOutDevice::close() {
    if (!opened) {
        lastResult_.store(PortResult::NotOpen, std::memory_order_relaxed);
        return true;
    }
    const PortResult result = port.close();
    lastResult_.store(result, std::memory_order_relaxed);
    if (result != PortResult::Ok) {
        return true;
    }
    opened = false;
    // A closed port reads nothing more.
    retired.clear();
    return false;
}

void MidiOutDevice::freeRetiredIfDone() {
    if (!retired.empty() && (!opened || port.longDone())) {
        retired.clear();
    }
}

} // namespace tf

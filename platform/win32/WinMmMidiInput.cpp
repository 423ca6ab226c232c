#include "platform/win32/WinMmMidiInput.h"

#include "platform/win32/WideText.h"

#include <array>

namespace tf {

namespace {

std::vector<std::string> DeviceNames() {
    std::vector<std::string> names;
    const UINT count = midiInGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        MIDIINCAPSW caps{};
        // A device that cannot say its name still keeps its place, so that ids stay indices.
        const bool named = midiInGetDevCapsW(id, &caps, sizeof caps) == MMSYSERR_NOERROR;
        names.push_back(named ? Narrow(caps.szPname) : std::string());
    }
    return names;
}

} // namespace

WinMmMidiInput::~WinMmMidiInput() {
    close();
}

std::vector<std::string> WinMmMidiInput::ports() {
    return DeviceNames();
}

MidiInputOpen WinMmMidiInput::open(std::string_view port) {
    close();
    const std::lock_guard lock(mutex);
    const std::vector<std::string> names = DeviceNames();
    UINT id = 0;
    while (id < names.size() && (names[id].empty() || names[id] != port)) {
        ++id;
    }
    if (id == names.size()) {
        return MidiInputOpen::NoSuchPort;
    }
    lost.store(false);
    closing.store(false);
    HMIDIIN opened = nullptr;
    if (midiInOpen(&opened, id, reinterpret_cast<DWORD_PTR>(&WinMmMidiInput::InputProc),
                   reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        return MidiInputOpen::Refused;
    }
    if (midiInStart(opened) != MMSYSERR_NOERROR) {
        closing.store(true);
        midiInClose(opened);
        return MidiInputOpen::Refused;
    }
    handle = opened;
    connected = port;
    watcher = std::make_unique<PortWatcher>(DeviceNames, connected, [this] { portGone(); });
    return MidiInputOpen::Opened;
}

void WinMmMidiInput::close() {
    // First, so that the watcher is not waiting for the lock below when it is joined.
    watcher.reset();
    const std::lock_guard lock(mutex);
    if (handle != nullptr) {
        closing.store(true);
        midiInStop(handle);
        midiInReset(handle);
        // Returns once the driver has made its last callback.
        midiInClose(handle);
        handle = nullptr;
    }
    connected.clear();
    lost.store(false);
}

std::string WinMmMidiInput::connectedPort() const {
    const std::lock_guard lock(mutex);
    return lost.load() ? std::string() : connected;
}

void CALLBACK WinMmMidiInput::InputProc(HMIDIIN, UINT message, DWORD_PTR self, DWORD_PTR param1, DWORD_PTR) {
    auto* input = reinterpret_cast<WinMmMidiInput*>(self);
    switch (message) {
    case MIM_DATA: {
        // A short message packed into the low three bytes, status first. Only the calls the
        // driver's thread allows are made from here: the handler only sets flags.
        const std::array<std::uint8_t, 3> bytes{static_cast<std::uint8_t>(param1),
                                                static_cast<std::uint8_t>(param1 >> 8),
                                                static_cast<std::uint8_t>(param1 >> 16)};
        if (!input->lost.load()) {
            input->deliver(bytes);
        }
        break;
    }
    case MIM_CLOSE:
        if (!input->closing.load()) {
            input->portGone();
        }
        break;
    default:
        break;
    }
}

void WinMmMidiInput::portGone() {
    // The driver's thread and the watcher may both find it gone; the player hears of it once.
    if (!lost.exchange(true)) {
        reportLost();
    }
}

} // namespace tf

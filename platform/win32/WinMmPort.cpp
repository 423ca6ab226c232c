#include "platform/win32/WinMmPort.h"

#include "platform/win32/WinMmResult.h"

#include <algorithm>
#include <string>

namespace tf {

namespace {

constexpr UINT HeaderSize = sizeof(MIDIHDR);

} // namespace

WinMmPort::~WinMmPort() {
    if (handle != nullptr) {
        // Nothing is left to do about a port that will not close.
        static_cast<void>(close());
    }
}

PortResult WinMmPort::open() {
    if (handle != nullptr) {
        return PortResult::InUse;
    }
    HMIDIOUT opened = nullptr;
    const MMRESULT result = midiOutOpen(&opened, MIDI_MAPPER, 0, 0, CALLBACK_NULL);
    if (result == MMSYSERR_NOERROR) {
        handle = opened;
    }
    openResult.store(result, std::memory_order_relaxed);
    return PortResultOf(result);
}

PortDescription WinMmPort::describe() const {
    const std::uint32_t result = openResult.load(std::memory_order_relaxed);
    return {"Windows MIDI mapper",
            result == MMSYSERR_NOERROR
                ? std::string()
                : "the Windows MIDI mapper did not open (result " + std::to_string(result) + ")",
            result == MMSYSERR_NOERROR ? PortFailure::None : PortFailure::NoMidiOutput};
}

PortResult WinMmPort::sendShort(std::uint32_t word) {
    return PortResultOf(midiOutShortMsg(handle, word));
}

PortResult WinMmPort::sendLong(std::span<const std::uint8_t> message) {
    if (message.size() > 0xFFFFFFFFu) {
        return PortResult::BadArgument;
    }
    const std::lock_guard lock(headersLock);
    unprepareFinished();
    auto header = std::make_unique<MIDIHDR>();
    // The driver only reads the bytes; the header's field is not const for the input direction.
    header->lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(message.data()));
    header->dwBufferLength = static_cast<DWORD>(message.size());
    MMRESULT result = midiOutPrepareHeader(handle, header.get(), HeaderSize);
    if (result != MMSYSERR_NOERROR) {
        return PortResultOf(result);
    }
    result = midiOutLongMsg(handle, header.get(), HeaderSize);
    if (result != MMSYSERR_NOERROR) {
        midiOutUnprepareHeader(handle, header.get(), HeaderSize);
        return PortResultOf(result);
    }
    headers.push_back(std::move(header));
    return PortResult::Ok;
}

bool WinMmPort::longDone() {
    const std::lock_guard lock(headersLock);
    unprepareFinished();
    return headers.empty();
}

PortResult WinMmPort::close() {
    const std::lock_guard lock(headersLock);
    const bool playing = std::any_of(headers.begin(), headers.end(),
                                     [](const auto& header) { return (header->dwFlags & MHDR_DONE) == 0; });
    // A port with a message still queued refuses to close; a reset hands every header back done.
    if (playing) {
        midiOutReset(handle);
    }
    unprepareFinished();
    const MMRESULT result = midiOutClose(handle);
    if (result == MMSYSERR_NOERROR) {
        handle = nullptr;
        headers.clear();
    }
    return PortResultOf(result);
}

void WinMmPort::unprepareFinished() {
    std::erase_if(headers, [this](const std::unique_ptr<MIDIHDR>& header) {
        return (header->dwFlags & MHDR_DONE) != 0 &&
               midiOutUnprepareHeader(handle, header.get(), HeaderSize) == MMSYSERR_NOERROR;
    });
}

} // namespace tf

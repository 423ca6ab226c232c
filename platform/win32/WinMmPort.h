#pragma once

#include "platform/MidiPort.h"
#include "platform/win32/WinApi.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace tf {

/// The MIDI mapper through the Windows multimedia calls. Every result is the call's own, passed
/// through unchanged, so the open failures the player is told about are exactly Windows' codes.
class WinMmPort final : public MidiPort {
public:
    WinMmPort() = default;
    /// Closes the port if it is still open.
    ~WinMmPort() override;
    WinMmPort(const WinMmPort&) = delete;
    WinMmPort& operator=(const WinMmPort&) = delete;

    /// `midiOutOpen` on the MIDI mapper, without a callback. A second open while the port is
    /// open answers MMSYSERR_ALLOCATED and keeps the first handle.
    std::uint32_t open() override;
    std::uint32_t sendShort(std::uint32_t word) override;
    /// Prepares a header over `message` (which the caller keeps valid until `longDone`) and
    /// queues it with `midiOutLongMsg`. A header whose queueing fails is unprepared at once.
    std::uint32_t sendLong(std::span<const std::uint8_t> message) override;
    /// Unprepares every header the driver has finished with; true when none is left.
    bool longDone() override;
    /// Returns the queued headers (`midiOutReset` when one is still playing), unprepares them
    /// and closes the port with `midiOutClose`, whose result it answers.
    std::uint32_t close() override;
    /// "Windows MIDI mapper"; after a failed open, its result.
    PortDescription describe() const override;

private:
    void unprepareFinished();

    HMIDIOUT handle = nullptr;
    std::atomic<std::uint32_t> openResult{MMSYSERR_NOERROR};
    std::mutex headersLock;
    /// Headers handed to the driver; their addresses must not move while it reads them.
    std::vector<std::unique_ptr<MIDIHDR>> headers;
};

} // namespace tf

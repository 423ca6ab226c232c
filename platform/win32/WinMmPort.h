#pragma once

#include "platform/MidiPort.h"
#include "platform/win32/WinApi.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace tf {

/// The MIDI mapper through the Windows multimedia calls. Every result is the call's own, told in
/// the port's words (`PortResultOf`), so the open failures the player is told about are exactly
/// the ones Windows reports.
class WinMmPort final : public MidiPort {
public:
    WinMmPort() = default;
    /// Closes the port if it is still open.
    ~WinMmPort() override;
    WinMmPort(const WinMmPort&) = delete;
    WinMmPort& operator=(const WinMmPort&) = delete;

    /// `midiOutOpen` on the MIDI mapper, without a callback. A second open while the port is
    /// open answers `InUse` and keeps the first handle.
    PortResult open() override;
    PortResult sendShort(std::uint32_t word) override;
    /// Prepares a header over `message` (which the caller keeps valid until `longDone`) and
    /// queues it with `midiOutLongMsg`. A header whose queueing fails is unprepared at once.
    PortResult sendLong(std::span<const std::uint8_t> message) override;
    /// Unprepares every header the driver has finished with; true when none is left.
    bool longDone() override;
    /// Returns the queued headers (`midiOutReset` when one is still playing), unprepares them
    /// and closes the port with `midiOutClose`, whose result it answers.
    PortResult close() override;
    /// "Windows MIDI mapper"; after a failed open, Windows' own number for what failed.
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

#pragma once

#include "platform/MidiPort.h"
#include "platform/PortChoice.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class RtMidiOut;

namespace tf {

/// An ALSA sequencer output port, for an external synthesizer or another program's input.
/// Every member may be called from any thread.
class RtMidiPort final : public MidiPort {
public:
    /// `selector` picks the port when it opens: its number in the sequencer's list of outputs
    /// ("0", "1", ...), else a port whose name is `selector` or contains it.
    explicit RtMidiPort(std::string_view selector);
    ~RtMidiPort() override;
    RtMidiPort(const RtMidiPort&) = delete;
    RtMidiPort& operator=(const RtMidiPort&) = delete;

    /// `Ok` when connected; `NoSuchDevice` when no port matches the selector; `NoDevice` when
    /// the ALSA sequencer cannot be opened at all; `InUse` when the port exists but refuses the
    /// connection. Opening an open port succeeds.
    PortResult open() override;
    /// Sends as many bytes as the status calls for (three for 8x, 9x, Ax, Bx, Ex).
    PortResult sendShort(std::uint32_t word) override;
    PortResult sendLong(std::span<const std::uint8_t> message) override;
    /// Always true: the sequencer copies a message when it is sent.
    bool longDone() override;
    PortResult close() override;

    /// The name of the connected port; empty when not open.
    std::string portName() const;
    /// "ALSA port NAME" (the selector until connected); after a failed open, why.
    PortDescription describe() const override;

private:
    PortResult send(std::span<const std::uint8_t> bytes);

    const std::string selector;
    mutable std::mutex mutex;
    std::unique_ptr<RtMidiOut> out;
    std::string connectedName;
    /// Why the last open failed; guarded by `mutex`.
    std::string failure;
    /// Raised by the library's error callback during a call made under `mutex`.
    bool callFailed = false;
};

/// How many bytes a MIDI message with this status byte has, the status included; 0 for a byte
/// below 0x80 or one that starts no message (F0, F7: system exclusive goes as a long message).
std::size_t ShortMessageLength(std::uint8_t status);

} // namespace tf

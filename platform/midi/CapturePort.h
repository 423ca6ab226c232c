#pragma once

#include "platform/Clock.h"
#include "platform/MidiPort.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace tf {

/// A MIDI output that records every message with the tick at which it was sent. Short messages
/// are kept as their three bytes (status, data1, data2), long ones as the whole buffer.
class CapturePort final : public MidiPort {
public:
    struct Message {
        std::uint32_t tick = 0;
        std::vector<std::uint8_t> bytes;
        bool isLong = false;
        bool operator==(const Message&) const = default;
    };

    /// `openResult` is what `open` answers; `failSends` makes every send fail with
    /// `PortResult::Failed` (nothing is recorded then), to stand for a broken device.
    explicit CapturePort(Clock& clock, PortResult openResult = PortResult::Ok, bool failSends = false);

    PortResult open() override;
    PortResult sendShort(std::uint32_t word) override;
    PortResult sendLong(std::span<const std::uint8_t> message) override;
    bool longDone() override;
    PortResult close() override;

    /// A copy of everything recorded so far.
    std::vector<Message> messages() const;
    void clear();
    int openCount() const;
    int closeCount() const;

private:
    Clock& clock;
    const PortResult openResult;
    const bool failSends;
    mutable std::mutex mutex;
    std::vector<Message> log;
    int opens = 0;
    int closes = 0;
};

} // namespace tf

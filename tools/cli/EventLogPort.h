#pragma once

#include "platform/Clock.h"
#include "platform/MidiPort.h"

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <span>

namespace tf::cli {

/// A MIDI output that prints every message as it is sent, one line each: "<ms> <bytes>", where
/// ms is the clock's tick less `startTick` (unsigned 32-bit, decimal) and the bytes are two-digit
/// upper-case hex separated by single spaces. A short message shows its three bytes (status,
/// data1, data2), a long one the whole buffer it was handed.
class EventLogPort final : public MidiPort {
public:
    EventLogPort(Clock& clock, std::uint32_t startTick, std::FILE* out);

    PortResult open() override;
    PortResult sendShort(std::uint32_t word) override;
    PortResult sendLong(std::span<const std::uint8_t> message) override;
    /// Always true: the message is printed, and so done with, when it is sent.
    bool longDone() override;
    PortResult close() override;

private:
    void print(std::span<const std::uint8_t> bytes);

    Clock& clock;
    const std::uint32_t startTick;
    std::FILE* const out;
    std::mutex mutex;
};

} // namespace tf::cli

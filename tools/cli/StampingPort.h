#pragma once

#include "platform/Clock.h"
#include "platform/MidiPort.h"

#include <cstdint>
#include <deque>
#include <optional>

namespace tf::cli {

/// Who was sending when a message went out, as the harness declares it before each step.
enum class Sender : std::uint8_t { Other, Pump, Frame };

/// A MIDI output that only notes when each message went out: the game's tick, the monotonic
/// time in microseconds and who sent it. Meant for one sending thread; a message costs no
/// more than an append, so the timing it measures is the game's own.
class StampingPort final : public MidiPort {
public:
    struct Stamp {
        std::uint32_t tick = 0;
        std::int64_t micros = 0;
        /// Short messages: their three bytes; long ones: their first byte and zeros.
        std::uint8_t status = 0;
        std::uint8_t data1 = 0;
        std::uint8_t data2 = 0;
        bool isLong = false;
        Sender sender = Sender::Other;
        /// The tick at which the pump found the message's event due; set by whoever knows it.
        std::optional<std::uint32_t> dueTick;
    };

    explicit StampingPort(Clock& clock) : clock(clock) {}

    PortResult open() override { return PortResult::Ok; }
    PortResult sendShort(std::uint32_t word) override;
    PortResult sendLong(std::span<const std::uint8_t> message) override;
    // Nothing is held back, so a long message is delivered by the time it is handed over.
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::Ok; }

    /// Every later message is marked as sent by `sender`.
    void setSender(Sender sender) { current = sender; }
    /// A deque, so that a long run never moves what was recorded in the middle of a pass.
    std::deque<Stamp>& stamps() { return log; }
    const std::deque<Stamp>& stamps() const { return log; }

private:
    Clock& clock;
    Sender current = Sender::Other;
    std::deque<Stamp> log;
};

} // namespace tf::cli

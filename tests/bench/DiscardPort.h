#pragma once

#include "platform/MidiPort.h"

#include <atomic>
#include <cstdint>
#include <span>

namespace tf::bench {

/// A MIDI output that drops every message at once and only counts them, so that a benchmark
/// measures the core and not a synthesizer or a recording.
class DiscardPort final : public MidiPort {
public:
    PortResult open() override { return PortResult::Ok; }
    PortResult sendShort(std::uint32_t) override {
        bump();
        return PortResult::Ok;
    }
    /// The bytes are never read, so the message is done as soon as it is handed over.
    PortResult sendLong(std::span<const std::uint8_t>) override {
        bump();
        return PortResult::Ok;
    }
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::Ok; }

    /// Messages handed over so far, short and long.
    std::uint64_t sent() const { return count.load(std::memory_order_relaxed); }

private:
    // A load and a store instead of a locked increment: the count is only informative, and two
    // threads sending at once (the port contract allows it) may at worst lose one, never race.
    void bump() { count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed); }

    std::atomic<std::uint64_t> count{0};
};

} // namespace tf::bench

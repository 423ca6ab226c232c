#pragma once

#include "platform/MidiPort.h"

namespace tf {

/// Silence on purpose: it opens and drops every message. Chosen by the player (or by a
/// command that sounds nothing), so unlike a port that failed to open it is no failure.
class SilentPort final : public MidiPort {
public:
    PortResult open() override { return PortResult::Ok; }
    PortResult sendShort(std::uint32_t) override { return PortResult::Ok; }
    PortResult sendLong(std::span<const std::uint8_t>) override { return PortResult::Ok; }
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::Ok; }
    PortDescription describe() const override { return {"none", {}}; }
};

} // namespace tf

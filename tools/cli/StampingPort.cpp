#include "tools/cli/StampingPort.h"

#include "tools/cli/SteadyMicros.h"

namespace tf::cli {

PortResult StampingPort::sendShort(std::uint32_t word) {
    log.push_back({clock.tickCount(), SteadyMicros(), static_cast<std::uint8_t>(word),
                   static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word >> 16), false,
                   current, std::nullopt});
    return PortResult::Ok;
}

PortResult StampingPort::sendLong(std::span<const std::uint8_t> message) {
    const std::uint8_t first = message.empty() ? 0 : message.front();
    log.push_back({clock.tickCount(), SteadyMicros(), first, 0, 0, true, current, std::nullopt});
    return PortResult::Ok;
}

} // namespace tf::cli

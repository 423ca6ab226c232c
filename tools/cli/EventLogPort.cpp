#include "tools/cli/EventLogPort.h"

#include <string>

namespace tf::cli {

EventLogPort::EventLogPort(Clock& clock, std::uint32_t startTick, std::FILE* out)
    : clock(clock), startTick(startTick), out(out) {}

PortResult EventLogPort::open() {
    return PortResult::Ok;
}

PortResult EventLogPort::sendShort(std::uint32_t word) {
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                                   static_cast<std::uint8_t>(word >> 16)};
    print(bytes);
    return PortResult::Ok;
}

PortResult EventLogPort::sendLong(std::span<const std::uint8_t> message) {
    print(message);
    return PortResult::Ok;
}

bool EventLogPort::longDone() {
    return true;
}

PortResult EventLogPort::close() {
    std::lock_guard lock(mutex);
    std::fflush(out);
    return PortResult::Ok;
}

void EventLogPort::print(std::span<const std::uint8_t> bytes) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string line = std::to_string(clock.tickCount() - startTick);
    line.reserve(line.size() + bytes.size() * 3 + 1);
    for (std::uint8_t byte : bytes) {
        line += ' ';
        line += Hex[byte >> 4];
        line += Hex[byte & 0x0F];
    }
    line += '\n';
    std::lock_guard lock(mutex);
    std::fwrite(line.data(), 1, line.size(), out);
}

} // namespace tf::cli

#include "platform/midi/CapturePort.h"

namespace tf {

CapturePort::CapturePort(Clock& clock, PortResult openResult, bool failSends)
    : clock(clock), openResult(openResult), failSends(failSends) {}

PortResult CapturePort::open() {
    std::lock_guard lock(mutex);
    ++opens;
    return openResult;
}

PortResult CapturePort::sendShort(std::uint32_t word) {
    if (failSends) {
        return PortResult::Failed;
    }
    const std::uint32_t tick = clock.tickCount();
    std::lock_guard lock(mutex);
    log.push_back({tick,
                   {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                    static_cast<std::uint8_t>(word >> 16)},
                   false});
    return PortResult::Ok;
}

PortResult CapturePort::sendLong(std::span<const std::uint8_t> message) {
    if (failSends) {
        return PortResult::Failed;
    }
    const std::uint32_t tick = clock.tickCount();
    std::lock_guard lock(mutex);
    log.push_back({tick, {message.begin(), message.end()}, true});
    return PortResult::Ok;
}

// The message is copied when it is handed over, so it is delivered at once.
bool CapturePort::longDone() {
    return true;
}

PortResult CapturePort::close() {
    std::lock_guard lock(mutex);
    ++closes;
    return PortResult::Ok;
}

std::vector<CapturePort::Message> CapturePort::messages() const {
    std::lock_guard lock(mutex);
    return log;
}

void CapturePort::clear() {
    std::lock_guard lock(mutex);
    log.clear();
}

int CapturePort::openCount() const {
    std::lock_guard lock(mutex);
    return opens;
}

int CapturePort::closeCount() const {
    std::lock_guard lock(mutex);
    return closes;
}

} // namespace tf

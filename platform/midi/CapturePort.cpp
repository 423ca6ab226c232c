#include "platform/midi/CapturePort.h"

namespace tf {

CapturePort::CapturePort(Clock& clock, std::uint32_t openResult, bool failSends)
    : clock(clock), openResult(openResult), failSends(failSends) {}

std::uint32_t CapturePort::open() {
    std::lock_guard lock(mutex);
    ++opens;
    return openResult;
}

std::uint32_t CapturePort::sendShort(std::uint32_t word) {
    if (failSends) {
        return mmresult::Error;
    }
    const std::uint32_t tick = clock.tickCount();
    std::lock_guard lock(mutex);
    log.push_back({tick,
                   {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                    static_cast<std::uint8_t>(word >> 16)},
                   false});
    return mmresult::NoError;
}

std::uint32_t CapturePort::sendLong(std::span<const std::uint8_t> message) {
    if (failSends) {
        return mmresult::Error;
    }
    const std::uint32_t tick = clock.tickCount();
    std::lock_guard lock(mutex);
    log.push_back({tick, {message.begin(), message.end()}, true});
    return mmresult::NoError;
}

// The message is copied when it is handed over, so it is delivered at once.
bool CapturePort::longDone() {
    return true;
}

std::uint32_t CapturePort::close() {
    std::lock_guard lock(mutex);
    ++closes;
    return mmresult::NoError;
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

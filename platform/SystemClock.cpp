#include "platform/SystemClock.h"

#include <thread>

namespace tf {

SystemClock::SystemClock() : origin(std::chrono::steady_clock::now()) {}

std::uint32_t SystemClock::tickCount() {
    const auto elapsed = std::chrono::steady_clock::now() - origin;
    // Truncating to 32 bits gives the same wrap-around as a hardware tick counter.
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SystemClock::sleep(std::uint32_t ms) {
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace tf

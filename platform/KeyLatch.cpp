#include "platform/KeyLatch.h"

namespace tf {

void KeyLatch::press(std::uint32_t vk) {
    if (vk < latched.size()) {
        latched[vk].store(true, std::memory_order_release);
    }
}

bool KeyLatch::pressedSinceLastQuery(std::uint32_t vk) {
    if (vk >= latched.size()) {
        return false;
    }
    return latched[vk].exchange(false, std::memory_order_acq_rel);
}

void KeyLatch::clear() {
    for (auto& flag : latched) {
        flag.store(false, std::memory_order_release);
    }
}

} // namespace tf

#pragma once

#include "platform/KeyState.h"

#include <array>
#include <atomic>

namespace tf {

/// Key presses latched by the window thread and consumed by the play thread: one flag per
/// virtual-key code 0 to 255. A code above 255 (possible from a hand-edited key file) is simply
/// never pressed.
class KeyLatch final : public KeyState {
public:
    /// Latches a press of `vk`, to be consumed by its next query.
    void press(std::uint32_t vk);
    bool pressedSinceLastQuery(std::uint32_t vk) override;
    void notePress(std::uint32_t vk) override { press(vk); }
    /// Forgets every latched press.
    void clear();

private:
    std::array<std::atomic<bool>, 256> latched{};
};

} // namespace tf

#pragma once

#include "platform/KeyCodes.h"
#include "platform/KeyState.h"

#include <array>
#include <atomic>

namespace tf {

/// Key presses latched by the window thread and consumed by the play thread: one flag per
/// virtual-key code below `KeyCodeCount`. A code above those (possible from a hand-edited key file) is simply
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
    std::array<std::atomic<bool>, KeyCodeCount> latched{};
};

} // namespace tf

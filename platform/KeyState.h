#pragma once

#include <cstdint>

namespace tf {

/// Per-key "pressed since the last query" indication, keyed by Windows virtual-key codes.
class KeyState {
public:
    virtual ~KeyState() = default;
    /// True when key `vk` went down at least once since the previous query of the same key;
    /// the query consumes the indication.
    virtual bool pressedSinceLastQuery(std::uint32_t vk) = 0;
    /// The window saw key `vk` go down (not an auto-repeat). A key state that reads the keyboard
    /// itself has nothing to do; one fed by the window latches the press here.
    virtual void notePress(std::uint32_t vk) { static_cast<void>(vk); }
};

} // namespace tf

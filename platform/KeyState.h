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
};

} // namespace tf

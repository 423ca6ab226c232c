#pragma once

#include "platform/KeyState.h"

namespace tf {

/// The lane keys straight from Windows: the low bit of `GetAsyncKeyState`, set when the key went
/// down since the previous query of it and cleared by the query.
class AsyncKeyState final : public KeyState {
public:
    /// A code above 255 (only a hand-edited key file gives one) names no key and is never pressed.
    bool pressedSinceLastQuery(std::uint32_t vk) override;
};

} // namespace tf

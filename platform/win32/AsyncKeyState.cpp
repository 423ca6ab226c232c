#include "platform/win32/AsyncKeyState.h"

#include "platform/win32/WinApi.h"

namespace tf {

bool AsyncKeyState::pressedSinceLastQuery(std::uint32_t vk) {
    if (vk > 0xFF) {
        return false;
    }
    return (GetAsyncKeyState(static_cast<int>(vk)) & 1) != 0;
}

} // namespace tf

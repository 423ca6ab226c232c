#include "game/KeyBindings.h"

#include "platform/KeyCodes.h"

#include <cstddef>

namespace tf {

namespace {

// Lane order follows the piano: even lanes on the bottom letter row, odd lanes on the row above.
constexpr std::array<std::uint32_t, KeyBindings::laneCount> defaultCodes{
    VkZ, VkS, VkX, VkD, VkC, VkF, VkV, VkG, VkB, VkH, VkN, VkJ, VkM, VkK, VkComma, VkL};

constexpr bool ValidLane(int lane) {
    return lane >= 0 && lane < KeyBindings::laneCount;
}

constexpr std::size_t PrimarySlot(int lane) {
    return static_cast<std::size_t>(lane) * 2;
}

} // namespace

KeyBindings::KeyBindings() {
    for (int lane = 0; lane < laneCount; ++lane) {
        setKeys(lane, defaultCodes[static_cast<std::size_t>(lane)],
                defaultCodes[static_cast<std::size_t>(lane)]);
    }
}

void KeyBindings::setKeys(int lane, std::uint32_t primary, std::uint32_t secondary) {
    if (!ValidLane(lane)) {
        return;
    }
    codes[PrimarySlot(lane)] = primary;
    codes[PrimarySlot(lane) + 1] = secondary;
}

std::uint32_t KeyBindings::primaryKey(int lane) const {
    return ValidLane(lane) ? codes[PrimarySlot(lane)] : 0;
}

std::uint32_t KeyBindings::secondaryKey(int lane) const {
    return ValidLane(lane) ? codes[PrimarySlot(lane) + 1] : 0;
}

bool KeyBindings::isPressed(int lane, KeyState& keys) const {
    if (!ValidLane(lane)) {
        return false;
    }
    // Querying consumes the indication, so the secondary is left alone once the primary has
    // answered: a press of it then shows at the next call instead of being lost.
    if (keys.pressedSinceLastQuery(codes[PrimarySlot(lane)])) {
        return true;
    }
    return keys.pressedSinceLastQuery(codes[PrimarySlot(lane) + 1]);
}

void KeyBindings::drain(KeyState& keys) const {
    for (const std::uint32_t code : codes) {
        keys.pressedSinceLastQuery(code);
    }
}

} // namespace tf

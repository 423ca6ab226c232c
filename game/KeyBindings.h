#pragma once

#include "platform/KeyState.h"

#include <array>
#include <cstdint>

namespace tf {

/// The keys of the 16 lanes, two Windows virtual-key codes each (0 = no key). Lane 15 is never
/// edited or stored and keeps its default.
class KeyBindings {
public:
    static constexpr int laneCount = 16;

    /// Z S X D C F V G B H N J M K , L, both codes of a lane equal.
    KeyBindings();

    void setKeys(int lane, std::uint32_t primary, std::uint32_t secondary);
    std::uint32_t primaryKey(int lane) const;
    std::uint32_t secondaryKey(int lane) const;
    /// True if the primary key, or failing that the secondary key, was pressed since its last
    /// query. When the primary reports a press the secondary is not queried in that call.
    bool isPressed(int lane, KeyState& keys) const;
    /// Queries all 32 codes once and drops the answers.
    void drain(KeyState& keys) const;

private:
    std::array<std::uint32_t, laneCount * 2> codes{};
};

} // namespace tf

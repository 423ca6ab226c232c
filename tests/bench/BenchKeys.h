#pragma once

#include "platform/KeyState.h"

#include <cstdint>

namespace tf::bench {

/// A keyboard nobody touches: every lane's notes pass and are counted as misses.
class IdleKeys final : public KeyState {
public:
    bool pressedSinceLastQuery(std::uint32_t) override { return false; }
};

/// A keyboard on which every key was pressed before every query: each frame judges and sounds
/// a note in every lane in play, the busiest lane pass there can be.
class EveryKeyPressed final : public KeyState {
public:
    bool pressedSinceLastQuery(std::uint32_t) override { return true; }
};

} // namespace tf::bench

#pragma once

#include "game/GamePlay.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/MessageSink.h"
#include "platform/Surface.h"
#include "tests/bench/DiscardPort.h"

#include <string_view>

namespace tf::bench {

/// Drops the messages meant for the player; with a discarding port there are none to show.
class SilentSink final : public MessageSink {
public:
    void showMessage(MessageIcon, std::string_view, std::string_view) override {}
};

/// A game whose output goes nowhere. The clock, the surface and the keys are the caller's, so
/// the same measurement runs on virtual or real time, with a surface that draws or one that
/// does not. The clock's `sleep` must not wait, or the benchmarks measure sleeping.
struct BenchRig {
    BenchRig(Clock& clock, Surface& surface, KeyState& keys) : game(clock, keys, port, surface, sink) {}

    DiscardPort port;
    SilentSink sink;
    GamePlay game;
};

} // namespace tf::bench

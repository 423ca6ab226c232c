#pragma once

#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/Surface.h"
#include "tests/bench/ChartFill.h"

#include <benchmark/benchmark.h>

namespace tf::bench {

/// Measures `playFrame` with `shape` filled into a 15-lane chart, drawing into `surface` and
/// reading `keys` and `clock`, AUTO PLAY off. `clock` must only move on when asked to sleep, so
/// that the frame's 1 ms sleep costs nothing and the figure is the frame's own work. The frames
/// start in the middle of the chart's span and the same 10 000 frames are measured again and
/// again. Any surface can be handed in, so a benchmark of the window's drawing is one
/// registration away; `background` is the play field's picture, none by default.
void RunPlayFrames(benchmark::State& state, Clock& clock, Surface& surface, KeyState& keys,
                   const ChartShape& shape, const Bitmap* background = nullptr);

} // namespace tf::bench

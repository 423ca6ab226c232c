#include "platform/ManualClock.h"
#include "tests/bench/BenchKeys.h"
#include "tests/bench/ChartFill.h"
#include "tests/bench/PlayFrameRun.h"
#include "tests/bench/UnsleepingSystemClock.h"

#include <benchmark/benchmark.h>

namespace tf::bench {

namespace {

// NullSurface throughout: these measure the logic of a frame, not its drawing.

/// The fullest lane lists a chart can have (15 x 999 entries), about 1900 notes on screen, no
/// key pressed: every note passes the line and is counted as missed.
void BM_PlayFrame_LargestChart(benchmark::State& state) {
    ManualClock clock;
    NullSurface surface;
    IdleKeys keys;
    RunPlayFrames(state, clock, surface, keys, fullLanes);
}
BENCHMARK(BM_PlayFrame_LargestChart)->Unit(benchmark::kMicrosecond);

/// The largest chart on the game's real clock, which the frame reads three times per stored note.
void BM_PlayFrame_LargestChart_SystemClock(benchmark::State& state) {
    UnsleepingSystemClock clock;
    NullSurface surface;
    IdleKeys keys;
    RunPlayFrames(state, clock, surface, keys, fullLanes);
}
BENCHMARK(BM_PlayFrame_LargestChart_SystemClock)->Unit(benchmark::kMicrosecond);

/// The largest chart with every lane pressed in every frame: fifteen judgements and notes sounded.
void BM_PlayFrame_LargestChart_EveryLanePressed(benchmark::State& state) {
    ManualClock clock;
    NullSurface surface;
    EveryKeyPressed keys;
    RunPlayFrames(state, clock, surface, keys, fullLanes);
}
BENCHMARK(BM_PlayFrame_LargestChart_EveryLanePressed)->Unit(benchmark::kMicrosecond);

/// All 32767 note records the storage holds, which the note pass visits in every frame.
void BM_PlayFrame_AllNoteRecords(benchmark::State& state) {
    ManualClock clock;
    NullSurface surface;
    IdleKeys keys;
    RunPlayFrames(state, clock, surface, keys, everyNoteRecord);
}
BENCHMARK(BM_PlayFrame_AllNoteRecords)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace tf::bench

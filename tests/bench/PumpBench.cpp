#include "platform/ManualClock.h"
#include "tests/bench/BenchKeys.h"
#include "tests/bench/BenchRig.h"
#include "tests/bench/DenseSong.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace tf::bench {

namespace {

/// Song time the measured passes start from: the middle of the dense song.
std::uint32_t Middle(const DenseSong& song) {
    return song.lengthMs / 2;
}

/// Passes until one takes no event: the cursors stand where real-time play would have them.
void CatchUp(GamePlay& game) {
    std::vector<std::int32_t> cursors(static_cast<std::size_t>(game.song().trackCount()));
    for (;;) {
        bool moved = false;
        for (std::int32_t i = 0; i < game.song().trackCount(); ++i) {
            cursors[static_cast<std::size_t>(i)] = game.sequencer().trackCursor(i);
        }
        game.pumpGame();
        for (std::int32_t i = 0; i < game.song().trackCount(); ++i) {
            moved = moved || cursors[static_cast<std::size_t>(i)] != game.sequencer().trackCursor(i);
        }
        if (!moved) {
            return;
        }
    }
}

/// The song back at its start, its clock at the middle of the song (the lead time included).
void Restart(BenchRig& rig, ManualClock& clock, const DenseSong& song) {
    rig.game.resetForPlay();
    clock.advance(static_cast<std::uint32_t>(rig.game.sequencer().leadTime(1.0)) + Middle(song));
}

/// A rig with the dense song loaded and its chart built, so the player's parts are not pumped.
bool Prepare(BenchRig& rig, const DenseSong& song) {
    return rig.game.loadBytes(song.bytes, "dense.mid") == LoadResult::Loaded &&
           rig.game.buildChart(denseSongPlayerParts) == ChartResult::Built;
}

/// One pass of the game pump as the play thread makes it, 1 ms after the previous one, in the
/// middle of the dense song: most passes find nothing due, some send a chord note or a
/// controller. The same 20 s of song are measured again and again.
void BM_PumpPass(benchmark::State& state) {
    constexpr std::uint32_t WindowMs = 20000;
    const DenseSong song = MakeDenseSong();
    NullSurface surface;
    IdleKeys keys;
    ManualClock clock;
    BenchRig rig(clock, surface, keys);
    if (!Prepare(rig, song)) {
        state.SkipWithError("the bench song did not load into an accepted chart");
        return;
    }
    Restart(rig, clock, song);
    CatchUp(rig.game);
    std::uint64_t sent = 0;
    std::uint32_t passes = 0;
    for (auto _ : state) {
        clock.advance(1);
        const std::uint64_t before = rig.port.sent();
        benchmark::DoNotOptimize(rig.game.pumpGame());
        sent += rig.port.sent() - before;
        if (++passes == WindowMs) {
            state.PauseTiming();
            Restart(rig, clock, song);
            CatchUp(rig.game);
            passes = 0;
            state.ResumeTiming();
        }
    }
    state.counters["msgs_per_pass"] =
        benchmark::Counter(static_cast<double>(sent), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PumpPass)->Unit(benchmark::kNanosecond);

/// A pass with the clock half a song ahead of the cursors, as after a long stall: nearly every
/// track has an event due, so the pass decodes and sends one event per track.
void BM_PumpPass_Backlog(benchmark::State& state) {
    // Well under the events any chord track holds before the middle, so the backlog never runs
    // out while it is measured.
    constexpr std::uint32_t PassesPerRestart = 512;
    const DenseSong song = MakeDenseSong();
    NullSurface surface;
    IdleKeys keys;
    ManualClock clock;
    BenchRig rig(clock, surface, keys);
    if (!Prepare(rig, song)) {
        state.SkipWithError("the bench song did not load into an accepted chart");
        return;
    }
    Restart(rig, clock, song);
    std::uint64_t sent = 0;
    std::uint32_t passes = 0;
    for (auto _ : state) {
        clock.advance(1);
        const std::uint64_t before = rig.port.sent();
        benchmark::DoNotOptimize(rig.game.pumpGame());
        sent += rig.port.sent() - before;
        if (++passes == PassesPerRestart) {
            state.PauseTiming();
            Restart(rig, clock, song);
            passes = 0;
            state.ResumeTiming();
        }
    }
    state.counters["msgs_per_pass"] =
        benchmark::Counter(static_cast<double>(sent), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PumpPass_Backlog)->Unit(benchmark::kNanosecond);

} // namespace

} // namespace tf::bench

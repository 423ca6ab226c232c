#include "tests/bench/PlayFrameRun.h"

#include "tests/bench/BenchRig.h"

#include <cstdint>

namespace tf::bench {

namespace {

constexpr std::uint32_t FramesPerRun = 10000;

/// A fresh run whose clock stands just before the first measured frame. The frame taken here,
/// unmeasured, counts at once every note that was missed before the start.
void Restart(BenchRig& rig, Clock& clock, std::uint32_t start) {
    rig.game.resetForPlay();
    clock.sleep(start - 1);
    rig.game.playFrame();
}

} // namespace

void RunPlayFrames(benchmark::State& state, Clock& clock, Surface& surface, KeyState& keys,
                   const ChartShape& shape, const Bitmap* background) {
    BenchRig rig(clock, surface, keys);
    rig.game.setMainBitmap(background);
    PlayOptions& options = rig.game.options();
    options.setLaneCount(ChartStorage::maxLanes);
    options.setAutoPlay(false);
    options.setSpeedMultiplier(1.0);
    FillChart(rig.game.chart(), shape);
    const std::uint32_t start = shape.fallMs + shape.spanMs / 2 - FramesPerRun / 2;

    Restart(rig, clock, start);
    std::uint32_t frames = 0;
    std::uint64_t sent = 0;
    for (auto _ : state) {
        const std::uint64_t before = rig.port.sent();
        rig.game.playFrame();
        sent += rig.port.sent() - before;
        if (++frames == FramesPerRun) {
            state.PauseTiming();
            Restart(rig, clock, start);
            frames = 0;
            state.ResumeTiming();
        }
    }
    state.counters["notes"] = rig.game.chart().noteOrderCount;
    state.counters["on_screen"] = NotesOnScreen(rig.game.chart(), start);
    state.counters["msgs_per_frame"] =
        benchmark::Counter(static_cast<double>(sent), benchmark::Counter::kAvgIterations);
}

} // namespace tf::bench

#include "platform/ManualClock.h"
#include "tests/bench/BenchKeys.h"
#include "tests/bench/GoalReporter.h"
#include "tests/bench/PlayFrameRun.h"
#include "tests/bench/qt/QtBenchWindow.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace tf::bench {

namespace {

/// The largest chart drawn for real: the background, the texts and about 1900 note boxes go
/// into the window's back buffer in every frame.
void BM_PlayFrame_LargestChart_QImage(benchmark::State& state) {
    ManualClock clock;
    QtBenchWindow window;
    IdleKeys keys;
    RunPlayFrames(state, clock, window.buffer(), keys, fullLanes, &window.background());
}
BENCHMARK(BM_PlayFrame_LargestChart_QImage)->Unit(benchmark::kMicrosecond);

/// The same frame without a background picture: what the notes and texts cost alone.
void BM_PlayFrame_LargestChart_QImage_NoBackground(benchmark::State& state) {
    ManualClock clock;
    QtBenchWindow window;
    IdleKeys keys;
    RunPlayFrames(state, clock, window.buffer(), keys, fullLanes);
}
BENCHMARK(BM_PlayFrame_LargestChart_QImage_NoBackground)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace tf::bench

int main(int argc, char** argv) {
    const auto application = tf::bench::StartQt(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const bool colour = isatty(STDOUT_FILENO) != 0;
    tf::bench::GoalReporter reporter(
        colour ? benchmark::ConsoleReporter::OO_ColorTabular : benchmark::ConsoleReporter::OO_Tabular, {});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

#include "tests/bench/GoalReporter.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const bool colour = isatty(STDOUT_FILENO) != 0;
    tf::bench::GoalReporter reporter(
        colour ? benchmark::ConsoleReporter::OO_ColorTabular : benchmark::ConsoleReporter::OO_Tabular,
        {
            {"load + 16 censuses + chart build (file)", "BM_LoadCensusBuild/file", "ms_per_MB", "ms/MB",
             20.0},
            {"load + 16 censuses + chart build (bytes)", "BM_LoadCensusBuild/bytes", "ms_per_MB", "ms/MB",
             20.0},
            {"logic-only frame, largest chart", "BM_PlayFrame_LargestChart", "", "us", 100.0},
            {"logic-only frame, largest chart, real clock", "BM_PlayFrame_LargestChart_SystemClock", "", "us",
             100.0},
            {"logic-only frame, largest chart, all pressed", "BM_PlayFrame_LargestChart_EveryLanePressed", "",
             "us", 100.0},
            {"logic-only frame, 32767 note records", "BM_PlayFrame_AllNoteRecords", "", "us", 100.0},
        });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

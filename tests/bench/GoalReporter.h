#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace tf::bench {

/// A performance goal: a benchmark's figure and the bound it must stay under.
struct Goal {
    std::string title;
    std::string benchmark;
    /// A user counter's name, or empty for the CPU time per iteration in `unit`s.
    std::string counter;
    std::string unit;
    double limit;
};

/// The console table, then each goal's figure against its bound. With repetitions the figure is
/// the median of the runs, otherwise the one run's.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    GoalReporter(OutputOptions options, std::vector<Goal> goals);

    void ReportRuns(const std::vector<Run>& reports) override;
    void Finalize() override;

private:
    struct Figure {
        double value = 0;
        bool median = false;
    };
    double measure(const Run& run, const Goal& goal) const;

    std::vector<Goal> goals;
    std::map<std::string, Figure> figures;
};

} // namespace tf::bench

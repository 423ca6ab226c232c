#include "tests/bench/GoalReporter.h"

#include <array>
#include <cstdio>
#include <ostream>
#include <utility>

namespace tf::bench {

namespace {

/// Seconds per `unit` (one of "ms", "us", "ns").
double UnitSeconds(const std::string& unit) {
    if (unit == "ms") {
        return 1e-3;
    }
    if (unit == "ns") {
        return 1e-9;
    }
    return 1e-6;
}

} // namespace

GoalReporter::GoalReporter(OutputOptions options, std::vector<Goal> goals)
    : ConsoleReporter(options), goals(std::move(goals)) {}

double GoalReporter::measure(const Run& run, const Goal& goal) const {
    if (!goal.counter.empty()) {
        const auto it = run.counters.find(goal.counter);
        return it == run.counters.end() ? -1.0 : it->second.value;
    }
    const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    return seconds / UnitSeconds(goal.unit);
}

void GoalReporter::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.error_occurred) {
            continue;
        }
        const bool median = run.run_type == Run::RT_Aggregate;
        if (median && run.aggregate_name != "median") {
            continue;
        }
        for (const Goal& goal : goals) {
            if (goal.benchmark != run.run_name.str()) {
                continue;
            }
            Figure& figure = figures[goal.title];
            // A median, once there, stands for the repetitions; a single run only stands alone.
            if (median || !figure.median) {
                figure = {measure(run, goal), median};
            }
        }
    }
}

void GoalReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nGoals (CPU time; the median when repeated):\n";
    std::array<char, 160> line{};
    for (const Goal& goal : goals) {
        const auto it = figures.find(goal.title);
        if (it == figures.end() || it->second.value < 0) {
            std::snprintf(line.data(), line.size(), "  %-44s %12s   goal < %g %s\n", goal.title.c_str(),
                          "not run", goal.limit, goal.unit.c_str());
        } else {
            const double value = it->second.value;
            std::snprintf(line.data(), line.size(),
                          "  %-44s %9.3f %-3s goal < %g %s: %s (%.0f %% of the bound)\n", goal.title.c_str(),
                          value, goal.unit.c_str(), goal.limit, goal.unit.c_str(),
                          value < goal.limit ? "met" : "MISSED", 100.0 * value / goal.limit);
        }
        out << line.data();
    }
}

} // namespace tf::bench

#pragma once

#include <cstddef>
#include <vector>

namespace tf::cli {

/// The spread of a set of measurements: how many, their median, 99th percentile and maximum,
/// in the measurements' own unit. All zero for an empty set.
struct SampleSummary {
    std::size_t count = 0;
    double median = 0.0;
    double p99 = 0.0;
    double max = 0.0;
};

/// Percentiles by nearest rank: the smallest value that at least that share of the set does
/// not exceed, so every figure is one that was measured.
SampleSummary Summarize(std::vector<double> values);

} // namespace tf::cli

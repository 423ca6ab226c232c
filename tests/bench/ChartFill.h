#pragma once

#include "chart/ChartStorage.h"

#include <cstdint>

namespace tf::bench {

/// A chart written straight into the storage, for charts larger than a build accepts. Keys get
/// lanes as the builder deals them out; each key's notes are evenly spaced over `spanMs`, the
/// keys staggered so that no two notes of a lane share a hit time (no chords).
struct ChartShape {
    /// Key numbers with notes, spread over 0 to 127; at most 128.
    int keys = 15;
    /// Notes in all, shared out evenly over the keys; at most 32767 and 999 per key.
    int notes = 14985;
    int lanes = 15;
    /// Hit times run from `fallMs` to `fallMs + spanMs`.
    std::uint32_t spanMs = 40000;
    /// hitTime - appearTime: the lead time at tempo 500000 and x1.0.
    std::uint32_t fallMs = 5000;
};

/// The most entries the lane lists of an accepted chart hold: 999 in each of 15 lanes.
inline constexpr ChartShape fullLanes{15, 14985};
/// Every note record the storage can hold in an accepted walk (32767), over all 128 keys; the
/// lane lists keep the first 999 notes of each lane by hit time.
inline constexpr ChartShape everyNoteRecord{128, 32767};

/// Writes `shape` into `chart` as a build leaves it: notes with their lanes and messages, their
/// counts, `noteOrder` by hit time and the lane lists.
void FillChart(ChartStorage& chart, const ChartShape& shape);

/// Notes with appearTime <= t <= hitTime at song time `t`: those a frame moves down the field.
int NotesOnScreen(const ChartStorage& chart, std::uint32_t t);

} // namespace tf::bench

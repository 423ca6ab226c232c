#pragma once

#include "records/PlayRecord.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace tf {

/// Whether a play can be a personal best: it played the song to its end, at the song's own
/// tempo, with no practice setting, and the chart had notes.
bool CanBeBest(const PlayRecord& record);

/// True when `a` ranks above `b` as a best of the same song, parts, KEY and LEVEL: more PERFECT +
/// GREAT as a share of the chart's notes (compared exactly), then more PERFECT, then fewer BAD.
bool RanksAbove(const PlayRecord& a, const PlayRecord& b);

/// Whether two records are plays of the same song, parts, KEY and LEVEL: what a best is kept per.
/// HIGH SPEED, HIDDEN and SUDDEN change what the player sees, not the chart's times.
bool SameBestKey(const PlayRecord& a, const PlayRecord& b);

/// The personal bests among `records` (in the order they were kept): one per song, parts, KEY
/// and LEVEL, in the order each key first earned a best. On a full tie the earlier play stays.
std::vector<PlayRecord> PersonalBests(std::span<const PlayRecord> records);

/// PERFECT + GREAT as a share of the chart's notes, 0 to 1 (0 for a chart without notes).
double BestShare(const PlayRecord& record);

/// The shares of the last `count` plays of song `digest` with `parts`, oldest first: the points
/// of the result screen's plot.
std::vector<double> RecentShares(std::span<const PlayRecord> records, std::string_view digest,
                                 const std::vector<int>& parts, std::size_t count);

} // namespace tf

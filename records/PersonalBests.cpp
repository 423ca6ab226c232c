#include "records/PersonalBests.h"

#include <algorithm>
#include <cstdint>

namespace tf {

namespace {

std::int64_t PerfectAndGreat(const PlayRecord& record) {
    return std::int64_t{record.counts.perfect} + record.counts.great;
}

} // namespace

bool CanBeBest(const PlayRecord& record) {
    return record.finished && !record.options.practice && record.notes > 0;
}

bool RanksAbove(const PlayRecord& a, const PlayRecord& b) {
    // (pa / na) against (pb / nb) as pa nb against pb na: exact, where two doubles of one share
    // could differ in their last bit. Both counts fit in 32 bits, so the products fit in 64.
    const std::int64_t left = PerfectAndGreat(a) * std::max(b.notes, 1);
    const std::int64_t right = PerfectAndGreat(b) * std::max(a.notes, 1);
    if (left != right) {
        return left > right;
    }
    if (a.counts.perfect != b.counts.perfect) {
        return a.counts.perfect > b.counts.perfect;
    }
    return a.counts.bad < b.counts.bad;
}

bool SameBestKey(const PlayRecord& a, const PlayRecord& b) {
    return a.songDigest == b.songDigest && a.parts == b.parts && a.options.keys == b.options.keys &&
           a.options.level == b.options.level;
}

std::vector<PlayRecord> PersonalBests(std::span<const PlayRecord> records) {
    std::vector<PlayRecord> bests;
    for (const PlayRecord& record : records) {
        if (!CanBeBest(record)) {
            continue;
        }
        const auto held = std::find_if(bests.begin(), bests.end(),
                                       [&](const PlayRecord& best) { return SameBestKey(best, record); });
        if (held == bests.end()) {
            bests.push_back(record);
        } else if (RanksAbove(record, *held)) {
            *held = record;
        }
    }
    return bests;
}

double BestShare(const PlayRecord& record) {
    return record.notes > 0 ? static_cast<double>(PerfectAndGreat(record)) / record.notes : 0.0;
}

std::vector<double> RecentShares(std::span<const PlayRecord> records, std::string_view digest,
                                 const std::vector<int>& parts, std::size_t count) {
    std::vector<double> shares;
    for (auto it = records.rbegin(); it != records.rend() && shares.size() < count; ++it) {
        if (it->songDigest == digest && it->parts == parts) {
            shares.push_back(BestShare(*it));
        }
    }
    std::reverse(shares.begin(), shares.end());
    return shares;
}

} // namespace tf

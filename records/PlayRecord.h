#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

/// The version of the record format this program writes; every line carries its own.
inline constexpr int RecordFormatVersion = 1;

/// The five judgement counts, PERFECT to BAD.
struct RecordCounts {
    std::int32_t perfect = 0;
    std::int32_t great = 0;
    std::int32_t good = 0;
    std::int32_t ok = 0;
    std::int32_t bad = 0;
};

/// The options a play ran with.
struct RecordOptions {
    std::int32_t keys = 7;
    std::int32_t level = 2;
    double speed = 1.0;
    bool hidden = false;
    bool sudden = false;
    std::int32_t offset = 0;
    /// Any practice setting (a changed tempo, a loop, ...): such a play never counts as a best.
    /// A record whose practice settings this version does not understand has this set too.
    bool practice = false;
};

/// One play, as it is kept in the record file: one JSON line.
struct PlayRecord {
    /// The format version of the line it was read from (`RecordFormatVersion` when made here).
    int version = RecordFormatVersion;
    /// Unique among all records; names the replay file too.
    std::string id;
    /// When the play ended, UTC, "YYYY-MM-DDTHH:MM:SSZ".
    std::string utc;
    /// The song: its digest (see SongDigest), and its file name and title at the time.
    std::string songDigest;
    std::string fileName;
    std::string title;
    /// The player's parts, 1 to 16, ascending.
    std::vector<int> parts;
    RecordOptions options;
    RecordCounts counts;
    /// PERFECT to BAD in percent as the result screen prints them, its score (PERFECT + GREAT,
    /// untruncated) and its mark.
    std::array<int, 5> percents{};
    double score = 0.0;
    std::string mark;
    /// The notes of the chart: what a finished play judges, the measure of a best.
    std::int32_t notes = 0;
    /// The hit errors of the judged presses, ms: median, mean, interquartile range, count.
    std::int32_t errorMedian = 0;
    double errorMean = 0.0;
    std::int32_t errorIqr = 0;
    std::int64_t errorCount = 0;
    /// The song time the play reached, ms, and whether the song played to its end.
    std::uint32_t reachedMs = 0;
    bool finished = false;
    /// The replay file, relative to the record file's folder; `replayComplete` is false when the
    /// play had more presses than the replay keeps.
    std::string replay;
    bool replayComplete = true;
};

/// The record as one line of JSON, without the line end.
std::string RecordToJson(const PlayRecord& record);

/// The record in `line`, or null when the line is not one. A line of a newer version is read as
/// far as this version understands it.
std::optional<PlayRecord> RecordFromJson(std::string_view line);

} // namespace tf

#include "records/PlayRecord.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <limits>
#include <type_traits>

namespace tf {

namespace {

using Json = nlohmann::json;

/// The member `key` of `object` when it has the type of `fallback`, else `fallback`: a field of
/// another type is as good as absent, and nothing here throws on a damaged line.
template <typename T> T Field(const Json& object, const char* key, T fallback) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return fallback;
    }
    if constexpr (std::is_same_v<T, bool>) {
        return found->is_boolean() ? found->get<bool>() : fallback;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return found->is_string() ? found->get<std::string>() : fallback;
    } else if constexpr (std::is_floating_point_v<T>) {
        return found->is_number() ? found->get<T>() : fallback;
    } else {
        if (found->is_number_integer() || found->is_number_unsigned()) {
            // Out-of-range numbers come in as the fallback rather than wrapped.
            const auto value = found->get<std::int64_t>();
            if (value >= std::numeric_limits<T>::min() &&
                static_cast<std::uint64_t>(std::max<std::int64_t>(value, 0)) <=
                    static_cast<std::uint64_t>(std::numeric_limits<T>::max())) {
                return static_cast<T>(value);
            }
        }
        return fallback;
    }
}

const Json& Member(const Json& object, const char* key) {
    static const Json empty = Json::object();
    const auto found = object.find(key);
    return found != object.end() && found->is_object() ? *found : empty;
}

Json OptionsToJson(const RecordOptions& options) {
    return {{"keys", options.keys},      {"level", options.level},   {"speed", options.speed},
            {"hidden", options.hidden},  {"sudden", options.sudden}, {"offset", options.offset},
            {"practice", Json::object()}};
}

RecordOptions OptionsFromJson(const Json& json) {
    RecordOptions options;
    options.keys = Field(json, "keys", options.keys);
    options.level = Field(json, "level", options.level);
    options.speed = Field(json, "speed", options.speed);
    options.hidden = Field(json, "hidden", options.hidden);
    options.sudden = Field(json, "sudden", options.sudden);
    options.offset = Field(json, "offset", options.offset);
    // Any practice setting, understood or not, keeps the play out of the bests.
    const auto practice = json.find("practice");
    options.practice = practice != json.end() && !(practice->is_object() && practice->empty());
    return options;
}

Json CountsToJson(const RecordCounts& counts) {
    return {{"perfect", counts.perfect},
            {"great", counts.great},
            {"good", counts.good},
            {"ok", counts.ok},
            {"bad", counts.bad}};
}

RecordCounts CountsFromJson(const Json& json) {
    return {Field(json, "perfect", 0), Field(json, "great", 0), Field(json, "good", 0), Field(json, "ok", 0),
            Field(json, "bad", 0)};
}

template <typename T, typename Container>
void ReadNumbers(const Json& json, const char* key, Container& out) {
    const auto found = json.find(key);
    if (found == json.end() || !found->is_array()) {
        return;
    }
    for (const Json& item : *found) {
        if (item.is_number_integer() || item.is_number_unsigned()) {
            out.push_back(
                static_cast<T>(std::clamp<std::int64_t>(item.get<std::int64_t>(), -1000000, 1000000)));
        }
    }
}

} // namespace

std::string RecordToJson(const PlayRecord& record) {
    const Json json = {
        {"v", RecordFormatVersion},
        {"id", record.id},
        {"utc", record.utc},
        {"song", {{"digest", record.songDigest}, {"file", record.fileName}, {"title", record.title}}},
        {"parts", record.parts},
        {"options", OptionsToJson(record.options)},
        {"counts", CountsToJson(record.counts)},
        {"percents", record.percents},
        {"score", record.score},
        {"mark", record.mark},
        {"notes", record.notes},
        {"errors",
         {{"median", record.errorMedian},
          {"mean", record.errorMean},
          {"iqr", record.errorIqr},
          {"n", record.errorCount}}},
        {"reachedMs", record.reachedMs},
        {"finished", record.finished},
        {"replay", record.replay},
        {"replayComplete", record.replayComplete},
    };
    // A file name or title that is not UTF-8 is kept readable rather than refused.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<PlayRecord> RecordFromJson(std::string_view line) {
    const Json json = Json::parse(line.begin(), line.end(), nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        return std::nullopt;
    }
    PlayRecord record;
    record.version = Field(json, "v", 0);
    record.id = Field(json, "id", std::string());
    if (record.version < 1 || record.id.empty()) {
        return std::nullopt;
    }
    record.utc = Field(json, "utc", std::string());
    const Json& song = Member(json, "song");
    record.songDigest = Field(song, "digest", std::string());
    record.fileName = Field(song, "file", std::string());
    record.title = Field(song, "title", std::string());
    ReadNumbers<int>(json, "parts", record.parts);
    record.options = OptionsFromJson(Member(json, "options"));
    record.counts = CountsFromJson(Member(json, "counts"));
    std::vector<int> percents;
    ReadNumbers<int>(json, "percents", percents);
    std::copy_n(percents.begin(), std::min(percents.size(), record.percents.size()), record.percents.begin());
    record.score = Field(json, "score", 0.0);
    record.mark = Field(json, "mark", std::string());
    record.notes = Field(json, "notes", 0);
    const Json& errors = Member(json, "errors");
    record.errorMedian = Field(errors, "median", 0);
    record.errorMean = Field(errors, "mean", 0.0);
    record.errorIqr = Field(errors, "iqr", 0);
    record.errorCount = Field<std::int64_t>(errors, "n", 0);
    record.reachedMs = Field<std::uint32_t>(json, "reachedMs", 0);
    record.finished = Field(json, "finished", false);
    record.replay = Field(json, "replay", std::string());
    record.replayComplete = Field(json, "replayComplete", false);
    return record;
}

} // namespace tf

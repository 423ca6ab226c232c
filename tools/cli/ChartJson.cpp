#include "tools/cli/ChartJson.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace tf::cli {

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

void AppendMessage(std::string& out, const Note::Message& message) {
    out += '[';
    out += std::to_string(message[0]) + ',' + std::to_string(message[1]) + ',' + std::to_string(message[2]);
    out += ']';
}

void AppendNote(std::string& out, const LaneEntry& entry, const Note& note) {
    out += "{\"pitch\":" + std::to_string(entry.pitch) + ",\"index\":" + std::to_string(entry.index) +
           ",\"lane\":" + std::to_string(note.lane()) +
           ",\"appearTime\":" + std::to_string(note.appearTime()) +
           ",\"hitTime\":" + std::to_string(note.hitTime()) +
           ",\"noteLength\":" + std::to_string(note.noteLength()) + ",\"on\":";
    AppendMessage(out, note.noteOnMessage());
    out += ",\"off\":";
    AppendMessage(out, note.noteOffMessage());
    out += ",\"chordFollower\":";
    out += Bool(note.chordFollower());
    out += '}';
}

/// The first `count` items of `items`, never more than it holds.
template <typename T, std::size_t N>
std::span<const T> Used(const std::array<T, N>& items, std::int32_t count) {
    return std::span<const T>(items).first(static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, N)));
}

bool RefersToNote(const LaneEntry& entry) {
    return entry.pitch >= 0 && entry.pitch < ChartStorage::keyCount && entry.index >= 0 &&
           entry.index < ChartStorage::notesPerKey;
}

} // namespace

std::string ChartJson(const ChartStorage& chart, const std::array<bool, 16>& soundedChannels, int laneCount,
                      bool overflow) {
    std::string out = "{\"overflow\":";
    out += Bool(overflow);
    out += ",\"soundedChannels\":[";
    for (std::size_t c = 0; c < soundedChannels.size(); ++c) {
        out += (c == 0 ? "" : ",");
        out += Bool(soundedChannels[c]);
    }
    out += "],\"pitchNoteCount\":[";
    for (std::size_t key = 0; key < chart.pitchNoteCount.size(); ++key) {
        out += (key == 0 ? "" : ",") + std::to_string(chart.pitchNoteCount[key]);
    }
    out += "],\"notes\":[";
    bool first = true;
    for (const LaneEntry& entry : Used(chart.noteOrder, chart.noteOrderCount)) {
        // A build only writes entries that name a stored note; anything else is left out rather
        // than read from outside the chart.
        if (!RefersToNote(entry)) {
            continue;
        }
        out += first ? "" : ",";
        first = false;
        AppendNote(out, entry, chart.note(entry));
    }
    out += "],\"lanes\":[";
    const int lanes = std::clamp(laneCount, 0, ChartStorage::maxLanes);
    for (int lane = 0; lane < lanes; ++lane) {
        out += lane == 0 ? "[" : ",[";
        first = true;
        for (const LaneEntry& entry : Used(chart.laneEntries[static_cast<std::size_t>(lane)],
                                           chart.laneEntryCount[static_cast<std::size_t>(lane)])) {
            out += first ? "[" : ",[";
            first = false;
            out += std::to_string(entry.pitch) + ',' + std::to_string(entry.index) + ',' +
                   Bool(entry.chordFollows);
            out += ']';
        }
        out += ']';
    }
    out += "]}";
    return out;
}

} // namespace tf::cli

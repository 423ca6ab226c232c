#include "records/ReplayFile.h"

#include <array>
#include <cstdio>

namespace tf {

namespace {

std::string PartList(const std::vector<int>& parts) {
    std::string list;
    for (int part : parts) {
        list += (list.empty() ? "" : ",") + std::to_string(part);
    }
    return list;
}

} // namespace

std::string ReplayText(const PlayRecord& record, std::span<const LoggedPress> presses) {
    const RecordOptions& o = record.options;
    std::array<char, 160> options{};
    std::snprintf(options.data(), options.size(), "--parts %s --keys %d --level %d --speed %.1f --offset %d",
                  PartList(record.parts).c_str(), o.keys, o.level, o.speed, o.offset);
    std::string text = "# tonefalls replay " + std::to_string(RecordFormatVersion) + "\n";
    text += "# record " + record.id + "\n";
    text += "# song " + record.songDigest + "\n";
    text += "# options " + std::string(options.data()) + (o.hidden ? " hidden" : "") +
            (o.sudden ? " sudden" : "") + "\n";
    text += "# judge again: tonefalls-cli events SONG " + std::string(options.data()) + " --presses FILE\n";
    if (!record.replayComplete) {
        text += "# incomplete: the play had more presses than a replay keeps\n";
    }
    text.reserve(text.size() + presses.size() * 12);
    for (const LoggedPress& press : presses) {
        text += std::to_string(press.ms) + ' ' + std::to_string(press.lane) + '\n';
    }
    return text;
}

} // namespace tf

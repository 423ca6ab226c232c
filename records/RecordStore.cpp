#include "records/RecordStore.h"

#include "platform/XdgFolder.h"
#include "records/DurableFile.h"
#include "records/ReplayFile.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>
#include <system_error>

namespace tf {

namespace {

constexpr const char* ReplayFolder = "replays";

std::tm UtcParts(std::time_t now) {
    std::tm parts{};
#ifdef _WIN32
    gmtime_s(&parts, &now);
#else
    gmtime_r(&now, &parts);
#endif
    return parts;
}

std::string UtcText(const char* format) {
    const std::tm parts = UtcParts(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), format, &parts);
    return text.data();
}

bool MakeFolders(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder / ReplayFolder, error);
    return std::filesystem::is_directory(folder / ReplayFolder, error);
}

std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

void ReadLine(std::string_view line, RecordsRead& read) {
    line = WithoutCarriageReturn(line);
    // An empty line is what a repaired torn line leaves; it holds nothing to lose.
    if (line.empty()) {
        return;
    }
    auto record = RecordFromJson(line);
    if (!record) {
        ++read.skipped;
        return;
    }
    if (record->version > RecordFormatVersion) {
        ++read.newer;
    }
    read.records.push_back({std::move(*record), std::string(line)});
}

} // namespace

KeepResult RecordStore::keep(PlayRecord& record, std::span<const LoggedPress> presses) const {
    if (!MakeFolders(folder_)) {
        return KeepResult::CannotWrite;
    }
    record.replay = std::string(ReplayFolder) + "/" + record.id + ".txt";
    // The replay first: a record never names a file that is not there. A replay left without its
    // record (the append failed) names its record, and nothing reads it.
    if (WriteNewFileDurably(replayPath(record), ReplayText(record, presses)) != DurableWrite::Kept) {
        return KeepResult::CannotWrite;
    }
    if (AppendLineDurably(recordsFile(), RecordToJson(record)) != DurableWrite::Kept) {
        return KeepResult::CannotWrite;
    }
    return KeepResult::Kept;
}

RecordsRead RecordStore::read() const {
    RecordsRead read;
    std::error_code error;
    if (!std::filesystem::exists(recordsFile(), error)) {
        return read;
    }
    std::ifstream in(recordsFile(), std::ios::binary);
    if (!in.is_open()) {
        read.readable = false;
        return read;
    }
    std::string line;
    while (std::getline(in, line)) {
        ReadLine(line, read);
    }
    read.readable = !in.bad();
    return read;
}

std::string UtcNow() {
    return UtcText("%Y-%m-%dT%H:%M:%SZ");
}

std::string NewRecordId() {
    std::random_device entropy;
    const std::uint64_t bits = (std::uint64_t{entropy()} << 32) ^ entropy();
    std::array<char, 17> hex{};
    std::snprintf(hex.data(), hex.size(), "%016llx", static_cast<unsigned long long>(bits));
    return UtcText("%Y%m%dT%H%M%SZ") + "-" + hex.data();
}

std::filesystem::path RecordsFolder(std::string_view xdgDataHome, std::string_view home) {
    return XdgFolder(xdgDataHome, home, std::filesystem::path(".local") / "share");
}

std::filesystem::path RecordsFolderOfEnvironment() {
    return XdgFolderOfEnvironment("XDG_DATA_HOME", std::filesystem::path(".local") / "share");
}

} // namespace tf

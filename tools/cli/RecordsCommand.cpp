#include "tools/cli/RecordsCommand.h"

#include "records/PersonalBests.h"
#include "records/RecordStore.h"
#include "records/SongDigest.h"
#include "tools/cli/Commands.h"

#include <algorithm>
#include <cstdio>

namespace tf::cli {

namespace {

std::filesystem::path FolderOf(const CliArguments& arguments) {
    return arguments.dataFolder.empty() ? RecordsFolderOfEnvironment()
                                        : std::filesystem::path(arguments.dataFolder);
}

/// The store's records, or null after saying on stderr why there are none.
std::optional<RecordsRead> ReadStore(const RecordStore& store) {
    RecordsRead read = store.read();
    if (!read.readable) {
        std::fprintf(stderr, "tonefalls-cli: cannot read %s\n", store.recordsFile().string().c_str());
        return std::nullopt;
    }
    if (read.skipped > 0) {
        std::fprintf(stderr, "tonefalls-cli: %zu damaged line(s) in %s skipped\n", read.skipped,
                     store.recordsFile().string().c_str());
    }
    return read;
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int RunRecords(const CliArguments& arguments) {
    std::string digest;
    if (!arguments.song.empty()) {
        const auto found = SongDigestOfFile(arguments.song);
        if (!found) {
            std::fprintf(stderr, "tonefalls-cli: cannot read %s\n", arguments.song.c_str());
            return ExitFailure;
        }
        digest = *found;
    }
    const auto read = ReadStore(RecordStore(FolderOf(arguments)));
    if (!read) {
        return ExitFailure;
    }
    std::vector<StoredRecord> chosen;
    std::copy_if(
        read->records.begin(), read->records.end(), std::back_inserter(chosen),
        [&](const StoredRecord& stored) { return digest.empty() || stored.record.songDigest == digest; });
    if (arguments.bests) {
        std::vector<PlayRecord> plays;
        std::transform(chosen.begin(), chosen.end(), std::back_inserter(plays),
                       [](const StoredRecord& stored) { return stored.record; });
        const std::vector<PlayRecord> bests = PersonalBests(plays);
        std::erase_if(chosen, [&](const StoredRecord& stored) {
            return std::none_of(bests.begin(), bests.end(),
                                [&](const PlayRecord& best) { return best.id == stored.record.id; });
        });
    }
    for (const StoredRecord& stored : chosen) {
        PrintLine(stored.line);
    }
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}

int RunReplayPath(const CliArguments& arguments) {
    const RecordStore store(FolderOf(arguments));
    const auto read = ReadStore(store);
    if (!read) {
        return ExitFailure;
    }
    const auto found =
        std::find_if(read->records.begin(), read->records.end(),
                     [&](const StoredRecord& stored) { return stored.record.id == arguments.file; });
    // A replay name that leaves the folder is not followed.
    if (found == read->records.end() || found->record.replay.empty() ||
        std::filesystem::path(found->record.replay).is_absolute() ||
        found->record.replay.find("..") != std::string::npos) {
        std::fprintf(stderr, "tonefalls-cli: no record %s in %s\n", arguments.file.c_str(),
                     store.recordsFile().string().c_str());
        return ExitFailure;
    }
    PrintLine(store.replayPath(found->record).string());
    return std::fflush(stdout) == 0 ? ExitOk : ExitFailure;
}

} // namespace tf::cli

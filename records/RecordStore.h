#pragma once

#include "game/PressLog.h"
#include "records/PlayRecord.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tf {

/// One record as read back, with the line it came from (printed as it stands, so that fields of
/// a newer version are not lost).
struct StoredRecord {
    PlayRecord record;
    std::string line;
};

/// Everything the record file held.
struct RecordsRead {
    /// The records in the order they were appended.
    std::vector<StoredRecord> records;
    /// Lines that are not records (torn by a crash, or damaged), skipped.
    std::size_t skipped = 0;
    /// Records of a newer format version, read as far as this version understands them.
    std::size_t newer = 0;
    /// False when the file exists but cannot be read; no file at all is an empty store.
    bool readable = true;
};

/// What keeping a record did.
enum class [[nodiscard]] KeepResult{
    Kept,
    /// The folder or a file in it cannot be made or written: nothing was kept.
    CannotWrite,
};

/// The records of every play, one append-only JSON Lines file "records.jsonl" in a folder of its
/// own, and beside it "replays/" with one press file per play. The file is only ever appended to,
/// never rewritten; each record goes in with one durable append (see AppendLineDurably), so two
/// games appending at once lose nothing and interleave nothing.
class RecordStore {
public:
    explicit RecordStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path recordsFile() const { return folder_ / "records.jsonl"; }
    /// The replay file a record names, as a full path.
    std::filesystem::path replayPath(const PlayRecord& record) const { return folder_ / record.replay; }

    /// Writes the replay of `presses`, then appends `record` naming it; Kept only once both are on
    /// the disk. `record.replay` is set here.
    KeepResult keep(PlayRecord& record, std::span<const LoggedPress> presses) const;
    /// Reads the whole file.
    RecordsRead read() const;

private:
    std::filesystem::path folder_;
};

/// "YYYY-MM-DDTHH:MM:SSZ" of the current time.
std::string UtcNow();
/// A fresh record id: the UTC time and 64 random bits, "20261208T033500Z-0123456789abcdef".
std::string NewRecordId();

/// The folder of the records on Linux: "$XDG_DATA_HOME/tonefalls" when that variable holds an
/// absolute path, else "$HOME/.local/share/tonefalls"; empty when neither is usable. The
/// arguments are the variables' values, empty when unset. (On Windows the records sit beside the
/// key file, in the folder the game starts from.)
std::filesystem::path RecordsFolder(std::string_view xdgDataHome, std::string_view home);
/// `RecordsFolder` of this process's environment.
std::filesystem::path RecordsFolderOfEnvironment();

} // namespace tf

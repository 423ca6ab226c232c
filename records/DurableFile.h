#pragma once

#include <filesystem>
#include <string_view>

namespace tf {

/// What a durable write did.
enum class [[nodiscard]] DurableWrite{
    /// Written whole and flushed to the disk.
    Kept,
    /// The file could not be opened or made (the folder is not writable, or not there).
    CannotOpen,
    /// Opened, but the write or the flush failed (a full disk, an I/O error).
    Failed,
};

/// Appends `line` to the file at `path` (made when missing) with one write at the file's end, then
/// flushes the file to the disk before answering. Appenders in other processes never interleave
/// with it: the system places each whole write at the end in turn. When the file does not end in a
/// line end (the last write was torn by a crash), a line end goes first, so the torn line never
/// swallows this one.
DurableWrite AppendLineDurably(const std::filesystem::path& path, std::string_view line);

/// Makes the file at `path`, which must not exist yet, holding `bytes`, flushed to the disk.
DurableWrite WriteNewFileDurably(const std::filesystem::path& path, std::string_view bytes);

} // namespace tf

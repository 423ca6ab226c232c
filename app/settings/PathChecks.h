#pragma once

#include <filesystem>

namespace tf {

// Paths from the settings file, a drop or the command line may be anything a hand typed: these
// never throw, and a path that cannot be looked at is taken as not there.

/// True when something is at `path`.
bool PathExists(const std::filesystem::path& path);
/// True when `path` is a regular file.
bool IsRegularFile(const std::filesystem::path& path);
/// `path` made absolute, as the recent list keeps a song so that it still names it when the
/// game is started from elsewhere; `path` itself when that fails.
std::filesystem::path AbsoluteOrSame(const std::filesystem::path& path);

} // namespace tf

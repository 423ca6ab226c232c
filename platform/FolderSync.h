#pragma once

#include <filesystem>

namespace tf {

/// Puts the entries of `folder` (a file just made or renamed there) on the disk, so that they
/// survive a power cut. Where a folder cannot be opened or synced (some file systems refuse, and
/// Windows has no such call) what was made is still there, so this is done as well as it can be.
void SyncFolder(const std::filesystem::path& folder);

} // namespace tf

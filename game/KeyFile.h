#pragma once

#include "game/KeyBindings.h"

#include <filesystem>

namespace tf {

/// What a save of the key file did.
enum class [[nodiscard]] KeyFileResult{Saved, Failed};

/// "Tonefalls.ini" in `directory`.
std::filesystem::path KeyFilePath(const std::filesystem::path& directory);
/// Reads "Tonefalls.ini" of `directory` into `keys`; writes the file instead when it cannot be
/// opened (a failed write changes nothing).
void LoadKeyFile(KeyBindings& keys, const std::filesystem::path& directory);
/// Writes "[Key]" and lines "Key%02d = %u" for lanes 0 to 14. Written to a temporary file and
/// renamed over the old one, so a failed write never leaves a damaged key file.
KeyFileResult SaveKeyFile(const KeyBindings& keys, const std::filesystem::path& directory);

} // namespace tf

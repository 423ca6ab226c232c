#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace tf {

/// A song's identity: "xxh3-128:" and the 32 hex digits of the XXH3 128-bit digest of its Standard
/// MIDI File, after any RIFF wrapper. A renamed or moved file keeps it; an edited one does not.
std::string SongDigestOfBytes(std::span<const std::uint8_t> fileBytes);
/// The digest of the file at `path`; null when it cannot be read.
std::optional<std::string> SongDigestOfFile(const std::filesystem::path& path);

} // namespace tf

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

/// What the part dialog tells about a song besides its note counts.
struct SongFacts {
    /// The program of the first program change of each channel in the song (earliest in song
    /// time; between tracks at the same time, the earlier track's), -1 when it has none.
    std::array<int, 16> firstProgram{};
    /// The text of the first track's first track-name event, as the file holds it; empty when
    /// there is none.
    std::string trackName;
};

/// Walks every track once with the shared event decoder; bytes that make no event are stepped
/// over as the pump steps over them, and nothing outside a track is read.
SongFacts ReadSongFacts(std::span<const std::span<const std::uint8_t>> tracks);

/// True for a track name that a sequencer gives every file ("Track 1", "untitled", "Sequence",
/// blanks only), whatever the case, blanks and numbering: it tells one song from no other.
bool IsPlaceholderName(std::string_view name);

/// The name the dialog gives the song: the track name when it is UTF-8 (plain ASCII included)
/// with something to show and is no placeholder, else the file name of `songPath`.
std::string SongTitle(const SongFacts& facts, const std::filesystem::path& songPath);

} // namespace tf

#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tf {

/// What a load did. The song is either wholly replaced or, on failure, released.
enum class [[nodiscard]] LoadResult{Loaded, Failed};

/// Why the last load failed, for the player.
enum class LoadFailure {
    None,
    /// Missing, not a regular file, or unreadable.
    CannotOpen,
    /// 0 bytes.
    Empty,
    /// Starts like a MIDI file but ends before its header does.
    TooShort,
    /// Anything else that does not start with "MThd" (a RIFF file without a "data" chunk too).
    NotMidi,
    /// The header's division is 0.
    BadHeader
};

/// The loaded file, split into its tracks: what the pump, the census and the chart builder all
/// walk, each with cursors of its own. Replaced whole by each load; the file's bytes are not
/// kept, only the track bodies cut from them.
class Song {
public:
    /// Reads the file at `path`: a Standard MIDI File, or one wrapped in a RIFF "RMID" file's
    /// "data" chunk. Fails when the file cannot be opened or read, is not a regular file, does not
    /// start with "MThd", is shorter than 14 bytes, or has a division of 0; nothing is kept then
    /// and the path is forgotten. Loading the path already loaded does nothing and succeeds.
    LoadResult load(const std::filesystem::path& path);
    /// Loads a song from bytes in memory, as `load` does from a file named `path`.
    LoadResult loadBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);
    void release();
    /// Why the last `load` or `loadBytes` failed; None when it succeeded.
    LoadFailure failure() const { return failure_; }

    /// The number of tracks the header declares, whether or not the file holds them.
    std::int32_t trackCount() const { return trackCount_; }
    /// Ticks per quarter note; never 0 once loaded.
    std::int32_t division() const { return division_; }
    /// Microseconds per quarter note found by the scan at load (500000 when none).
    std::int32_t initialTempo() const { return initialTempo_; }
    const std::filesystem::path& path() const { return path_; }
    /// The body of track i as the split found it; one entry per declared track.
    std::span<const std::uint8_t> trackData(std::int32_t i) const {
        return tracks_[static_cast<std::size_t>(i)];
    }
    /// Changes whenever the song is released or replaced, so that what was worked out from one
    /// song is never taken for another's.
    std::uint64_t generation() const { return generation_; }

private:
    std::vector<std::vector<std::uint8_t>> tracks_;
    std::int32_t trackCount_ = 0;
    std::int32_t division_ = 0;
    std::int32_t initialTempo_ = 500000;
    std::filesystem::path path_;
    std::uint64_t generation_ = 0;
    LoadFailure failure_ = LoadFailure::None;
};

/// The Standard MIDI File in `bytes`: the "data" chunk of a RIFF "RMID" wrapper, or the bytes as
/// they stand when they are not wrapped; empty for a wrapper without a data chunk. What identifies
/// a song, whatever wraps it.
std::span<const std::uint8_t> StandardMidiPart(std::span<const std::uint8_t> bytes);

} // namespace tf

#include "song/Song.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace tf {

namespace {

constexpr std::size_t HeaderLength = 14;
constexpr std::int32_t InitialTempo = 500000;
constexpr std::array<std::uint8_t, 4> TrackMarker{'M', 'T', 'r', 'k'};
constexpr std::size_t ChunkHeaderLength = 8;

constexpr std::array<std::uint8_t, 4> HeaderMarker{'M', 'T', 'h', 'd'};

bool StartsWith(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view marker) {
    return at + marker.size() <= bytes.size() &&
           std::equal(marker.begin(), marker.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool IsTrackMarker(std::span<const std::uint8_t> bytes, std::size_t at) {
    return at + TrackMarker.size() <= bytes.size() &&
           std::equal(TrackMarker.begin(), TrackMarker.end(),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

std::uint32_t ReadBigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value <<= 8;
        if (at + i < bytes.size()) {
            value |= bytes[at + i];
        }
    }
    return value;
}

// The first FF 51 03 anywhere in the file with three bytes after it gives the initial tempo, even
// inside a text or an exclusive payload; the pump corrects it when it meets the real event.
std::int32_t ScanInitialTempo(std::span<const std::uint8_t> bytes) {
    for (std::size_t j = 0; j + 5 < bytes.size(); ++j) {
        if (bytes[j] == 0xFF && bytes[j + 1] == 0x51 && bytes[j + 2] == 0x03) {
            return bytes[j + 3] * 65536 + bytes[j + 4] * 256 + bytes[j + 5];
        }
    }
    return InitialTempo;
}

/// Where the next "MTrk" at or after `from` starts; the end of `bytes` when none does.
std::size_t NextTrackMarker(std::span<const std::uint8_t> bytes, std::size_t from) {
    while (from < bytes.size()) {
        const void* found = std::memchr(bytes.data() + from, TrackMarker[0], bytes.size() - from);
        if (found == nullptr) {
            return bytes.size();
        }
        from = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - bytes.data());
        if (IsTrackMarker(bytes, from)) {
            return from;
        }
        ++from;
    }
    return bytes.size();
}

// Marker-driven: a track runs from its chunk header to the next "MTrk", wherever that stands,
// and keeps at most its declared length. A buffer only ever grows by bytes that are in the file,
// so a header that claims more costs nothing.
std::vector<std::vector<std::uint8_t>> SplitTracks(std::span<const std::uint8_t> bytes,
                                                   std::size_t trackCount) {
    std::vector<std::vector<std::uint8_t>> tracks(trackCount);
    std::size_t markers = 0;
    std::vector<std::uint8_t>* current = nullptr;
    std::uint32_t room = 0;
    std::size_t pos = HeaderLength;
    while (pos < bytes.size()) {
        if (IsTrackMarker(bytes, pos)) {
            current = nullptr;
            if (markers < trackCount) {
                current = &tracks[markers];
                room = ReadBigEndian32(bytes, pos + TrackMarker.size());
            }
            ++markers;
            pos += ChunkHeaderLength;
            // The byte after a chunk header belongs to the track even if a marker starts there.
            if (pos < bytes.size() && current != nullptr && room > 0) {
                current->push_back(bytes[pos]);
                --room;
            }
            ++pos;
            continue;
        }
        // Everything up to the next marker goes to the current track, as far as it has room.
        const std::size_t end = NextTrackMarker(bytes, pos);
        if (current != nullptr && room > 0) {
            const std::size_t taken = std::min<std::size_t>(room, end - pos);
            current->insert(current->end(), bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                            bytes.begin() + static_cast<std::ptrdiff_t>(pos + taken));
            room -= static_cast<std::uint32_t>(taken);
        }
        pos = end;
    }
    return tracks;
}

// Why `bytes` make no song, None when they do. A file that is not a Standard MIDI File at all (a
// text renamed .mid) is refused rather than read as a song of empty parts; past the "MThd" the
// header is read as it stands, except for a division of 0, which no tick conversion can divide by.
LoadFailure RefusedHeader(std::span<const std::uint8_t> file) {
    if (file.empty()) {
        return LoadFailure::Empty;
    }
    const std::span<const std::uint8_t> bytes = StandardMidiPart(file);
    const std::size_t compared = std::min(bytes.size(), HeaderMarker.size());
    if (compared == 0 || !std::equal(HeaderMarker.begin(), HeaderMarker.begin() + compared, bytes.begin())) {
        return LoadFailure::NotMidi;
    }
    if (bytes.size() < HeaderLength) {
        return LoadFailure::TooShort;
    }
    return bytes[12] * 256 + bytes[13] == 0 ? LoadFailure::BadHeader : LoadFailure::None;
}

} // namespace

// A RIFF MIDI file ("RIFF" size "RMID", then chunks) carries the Standard MIDI File in its "data"
// chunk; any other file is taken as it stands. Every chunk is stepped over by its stated size
// (padded to an even length) and read only as far as the file goes; a RIFF file without a data
// chunk yields nothing.
std::span<const std::uint8_t> StandardMidiPart(std::span<const std::uint8_t> bytes) {
    if (!StartsWith(bytes, 0, "RIFF") || !StartsWith(bytes, 8, "RMID")) {
        return bytes;
    }
    std::size_t at = 12;
    while (at + ChunkHeaderLength <= bytes.size()) {
        const std::size_t size = ReadLittleEndian32(bytes, at + 4);
        const std::size_t body = at + ChunkHeaderLength;
        const std::size_t available = std::min(size, bytes.size() - body);
        if (StartsWith(bytes, at, "data")) {
            return bytes.subspan(body, available);
        }
        if (available < size) {
            break;
        }
        at = body + size + (size & 1);
    }
    return {};
}

LoadResult Song::load(const std::filesystem::path& path) {
    if (!path_.empty() && path == path_) {
        failure_ = LoadFailure::None;
        return LoadResult::Loaded;
    }
    release();
    failure_ = LoadFailure::CannotOpen;
    std::error_code error;
    // Only a regular file has an end: a device or a pipe could feed the reader forever.
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return LoadResult::Failed;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return LoadResult::Failed;
    }
    std::vector<std::uint8_t> bytes;
    std::array<char, 65536> chunk{};
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + in.gcount());
        if (!in) {
            break;
        }
    }
    if (in.bad()) {
        return LoadResult::Failed;
    }
    return loadBytes(bytes, path);
}

LoadResult Song::loadBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
    if (!path_.empty() && path == path_) {
        failure_ = LoadFailure::None;
        return LoadResult::Loaded;
    }
    release();
    failure_ = RefusedHeader(bytes);
    if (failure_ != LoadFailure::None) {
        return LoadResult::Failed;
    }
    bytes = StandardMidiPart(bytes);
    trackCount_ = bytes[10] * 256 + bytes[11];
    division_ = bytes[12] * 256 + bytes[13];
    initialTempo_ = ScanInitialTempo(bytes);
    tracks_ = SplitTracks(bytes, static_cast<std::size_t>(trackCount_));
    path_ = path;
    return LoadResult::Loaded;
}

void Song::release() {
    ++generation_;
    // Swapping with an empty vector gives the memory back, which clear() would keep.
    std::vector<std::vector<std::uint8_t>>().swap(tracks_);
    trackCount_ = 0;
    path_.clear();
}

} // namespace tf

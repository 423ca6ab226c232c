#include "records/SongDigest.h"

#include "song/Song.h"

// Inlined, so that no build needs the library itself (the Windows build has none).
#define XXH_INLINE_ALL
#include <xxhash.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace tf {

std::string SongDigestOfBytes(std::span<const std::uint8_t> fileBytes) {
    const std::span<const std::uint8_t> song = StandardMidiPart(fileBytes);
    const XXH128_hash_t hash = XXH3_128bits(song.data(), song.size());
    std::array<char, 33> hex{};
    std::snprintf(hex.data(), hex.size(), "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return std::string("xxh3-128:") + hex.data();
}

std::optional<std::string> SongDigestOfFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return SongDigestOfBytes(bytes);
}

} // namespace tf

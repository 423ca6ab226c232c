#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tf {

/// A song played lately and the parts it was played with (bit n: channel n).
struct RecentSong {
    std::filesystem::path path;
    std::uint32_t parts = 0;
    bool operator==(const RecentSong&) const = default;
};

/// The last songs played, newest first, each path once, at most `Limit`.
class RecentSongs {
public:
    static constexpr std::size_t Limit = 8;

    /// `path` was played with `parts`: it moves (or comes) to the front with those parts; the
    /// oldest beyond the limit is forgotten. An empty path is not kept.
    void add(const std::filesystem::path& path, std::uint32_t parts);
    /// Puts `song` behind the others, as a list is read back in order; a path already in the
    /// list, an empty one, or one beyond the limit is left out.
    void append(const RecentSong& song);
    /// Forgets `path`; false when it was not in the list.
    bool remove(const std::filesystem::path& path);
    /// The parts `path` was last played with; nothing for a song not in the list.
    std::optional<std::uint32_t> partsOf(const std::filesystem::path& path) const;

    const std::vector<RecentSong>& songs() const { return list; }
    bool operator==(const RecentSongs&) const = default;

private:
    std::vector<RecentSong> list;
};

/// The entries of the Recent menu, in the list's order: "&1 name.mid", ... with the song's file
/// name (its whole path when another entry has the same name), '&' doubled so that menus show it,
/// in UTF-8.
std::vector<std::string> RecentMenuLabels(const RecentSongs& songs);

} // namespace tf

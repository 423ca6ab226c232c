#include "app/settings/RecentSongs.h"

#include "app/text/PathText.h"

#include <algorithm>

namespace tf {

void RecentSongs::add(const std::filesystem::path& path, std::uint32_t parts) {
    if (path.empty()) {
        return;
    }
    remove(path);
    list.insert(list.begin(), RecentSong{path, parts});
    if (list.size() > Limit) {
        list.resize(Limit);
    }
}

void RecentSongs::append(const RecentSong& song) {
    if (song.path.empty() || list.size() >= Limit || partsOf(song.path)) {
        return;
    }
    list.push_back(song);
}

bool RecentSongs::remove(const std::filesystem::path& path) {
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const RecentSong& s) { return s.path == path; });
    if (it == list.end()) {
        return false;
    }
    list.erase(it);
    return true;
}

std::optional<std::uint32_t> RecentSongs::partsOf(const std::filesystem::path& path) const {
    for (const RecentSong& song : list) {
        if (song.path == path) {
            return song.parts;
        }
    }
    return std::nullopt;
}

std::vector<std::string> RecentMenuLabels(const RecentSongs& songs) {
    std::vector<std::string> names;
    for (const RecentSong& song : songs.songs()) {
        names.push_back(FileNameText(song.path));
    }
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool shared = std::count(names.begin(), names.end(), names[i]) > 1;
        const std::string shown = shared ? PathText(songs.songs()[i].path) : names[i];
        std::string label = "&" + std::to_string(i + 1) + " ";
        for (char c : shown) {
            label += c;
            if (c == '&') {
                label += '&';
            }
        }
        labels.push_back(std::move(label));
    }
    return labels;
}

} // namespace tf

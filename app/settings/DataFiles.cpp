#include "app/settings/DataFiles.h"

#include "app/settings/PathChecks.h"
#include "app/text/PathText.h"

#include <algorithm>
#include <system_error>

namespace tf {

std::vector<std::filesystem::path> DataCandidates(const std::filesystem::path& programDirectory,
                                                  const std::filesystem::path& workingDirectory) {
    std::vector<std::filesystem::path> candidates;
    const auto add = [&candidates](const std::filesystem::path& folder) {
        if (folder.empty()) {
            return;
        }
        std::filesystem::path tidy = folder.lexically_normal();
        // "a/b/" and "a/b" are one folder.
        if (!tidy.has_filename() && tidy.has_parent_path() && tidy != tidy.root_path()) {
            tidy = tidy.parent_path();
        }
        if (std::find(candidates.begin(), candidates.end(), tidy) == candidates.end()) {
            candidates.push_back(std::move(tidy));
        }
    };
    if (!programDirectory.empty()) {
        add(programDirectory);
        add(programDirectory / ".." / "data");
        add(programDirectory / ".." / "share" / "tonefalls");
    }
    add(workingDirectory);
    return candidates;
}

std::filesystem::path FindDataDirectory(std::span<const std::filesystem::path> candidates) {
    for (const std::filesystem::path& folder : candidates) {
        if (IsRegularFile(folder / MainBitmapFile) && IsRegularFile(folder / TitleBitmapFile) &&
            IsRegularFile(folder / ResultBitmapFile)) {
            return folder;
        }
    }
    return {};
}

std::filesystem::path FindHelpPage(std::span<const std::filesystem::path> candidates, Language language) {
    const char* const wanted = language == Language::English ? "help-en.html" : "help.html";
    // A data folder from before the English page still has the Japanese one to offer.
    for (const char* name : {wanted, "help.html"}) {
        for (const std::filesystem::path& folder : candidates) {
            const std::filesystem::path page = folder / "help" / name;
            if (IsRegularFile(page)) {
                return page;
            }
        }
    }
    return candidates.empty() ? std::filesystem::path() : candidates.front() / "help" / wanted;
}

std::string MissingPicturesText(std::span<const std::filesystem::path> candidates) {
    std::string text = "tonefalls: no folder holds the pictures (main.bmp, title.bmp, result.bmp); looked in";
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        text += i == 0 ? " " : ", ";
        text += PathText(candidates[i]);
    }
    if (candidates.empty()) {
        text += " no folder";
    }
    text += ". The screens are drawn without them.\n";
    return text;
}

} // namespace tf

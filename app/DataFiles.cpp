#include "app/DataFiles.h"

#include <system_error>

namespace tf {

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::filesystem::path DataDirectory(const std::filesystem::path& workingDirectory,
                                    const std::filesystem::path& installedDirectory) {
    if (!IsFile(workingDirectory / MainBitmapFile) && !installedDirectory.empty() &&
        IsFile(installedDirectory / MainBitmapFile)) {
        return installedDirectory;
    }
    return workingDirectory;
}

std::filesystem::path HelpPagePath(const std::filesystem::path& startDirectory,
                                   const std::filesystem::path& installedDirectory) {
    const std::filesystem::path page = startDirectory / "help" / "help.html";
    if (!IsFile(page) && !installedDirectory.empty()) {
        const std::filesystem::path installed = installedDirectory / "help" / "help.html";
        if (IsFile(installed)) {
            return installed;
        }
    }
    return page;
}

} // namespace tf

#include "app/settings/KeyFileLocation.h"

#include "game/KeyFile.h"

#include <cstdlib>
#include <system_error>

namespace tf {

namespace {

bool HasKeyFile(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(KeyFilePath(folder), error);
}

} // namespace

std::filesystem::path ConfigFolder(std::string_view xdgConfigHome, std::string_view home) {
    // A relative value is invalid and must be ignored, as if the variable were unset.
    const std::filesystem::path xdg(xdgConfigHome);
    if (!xdgConfigHome.empty() && xdg.is_absolute()) {
        return xdg / "tonefalls";
    }
    const std::filesystem::path homeFolder(home);
    if (!home.empty() && homeFolder.is_absolute()) {
        return homeFolder / ".config" / "tonefalls";
    }
    return {};
}

std::filesystem::path ConfigFolderOfEnvironment() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return ConfigFolder(xdg != nullptr ? xdg : "", home != nullptr ? home : "");
}

KeyFileFolders ChooseKeyFileFolders(KeyFileRule rule, const std::filesystem::path& startDirectory,
                                    const std::filesystem::path& configFolder) {
    if (rule != KeyFileRule::ConfigFolder || configFolder.empty()) {
        return {startDirectory, startDirectory, false};
    }
    const bool carryOver = !HasKeyFile(configFolder) && HasKeyFile(startDirectory);
    return {carryOver ? startDirectory : configFolder, configFolder, true};
}

} // namespace tf

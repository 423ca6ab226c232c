#include "app/settings/KeyFileLocation.h"

#include "game/KeyFile.h"
#include "platform/XdgFolder.h"

#include <system_error>

namespace tf {

namespace {

bool HasKeyFile(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(KeyFilePath(folder), error);
}

} // namespace

std::filesystem::path ConfigFolder(std::string_view xdgConfigHome, std::string_view home) {
    return XdgFolder(xdgConfigHome, home, ".config");
}

std::filesystem::path ConfigFolderOfEnvironment() {
    return XdgFolderOfEnvironment("XDG_CONFIG_HOME", ".config");
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

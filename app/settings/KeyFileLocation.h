#pragma once

#include <filesystem>
#include <string_view>

namespace tf {

/// Where a platform keeps the key file "Tonefalls.ini".
enum class KeyFileRule {
    /// In the folder the game was started from (Windows: the unzipped folder is the program).
    StartFolder,
    /// In the user's configuration folder, made when first needed; a key file left in the
    /// start folder by an earlier version is read until the configuration folder has one.
    ConfigFolder,
};

/// The folders the key file is read from and saved to.
struct KeyFileFolders {
    std::filesystem::path read;
    std::filesystem::path save;
    /// True when `save` is ours to make if it does not exist (never the start folder).
    bool makeSaveFolder = false;
};

/// The game's configuration folder: "$XDG_CONFIG_HOME/tonefalls" when that variable holds an
/// absolute path, else "$HOME/.config/tonefalls"; empty when neither is usable. The arguments
/// are the variables' values, empty when unset.
std::filesystem::path ConfigFolder(std::string_view xdgConfigHome, std::string_view home);
/// `ConfigFolder` of this process's environment.
std::filesystem::path ConfigFolderOfEnvironment();

/// The key file's folders under `rule`. With `ConfigFolder` (and a non-empty `configFolder`):
/// saved there; read from there when it holds a key file, else from `startDirectory` when that
/// one does (existing keys carry over), else from there. Otherwise both are `startDirectory`.
KeyFileFolders ChooseKeyFileFolders(KeyFileRule rule, const std::filesystem::path& startDirectory,
                                    const std::filesystem::path& configFolder);

} // namespace tf

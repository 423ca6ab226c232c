#pragma once

#include "app/settings/KeyFileLocation.h"

#include <filesystem>
#include <string_view>

namespace tf {

/// The file the Windows installer leaves beside the program: a copy with it was installed (into
/// Program Files, or the player's own programs folder) rather than unzipped.
inline constexpr std::string_view InstalledMarkerFile = "Tonefalls-installed.txt";

/// True when `programDirectory` holds the installer's marker file.
bool IsInstalledCopy(const std::filesystem::path& programDirectory);

/// Where the Windows game keeps what it writes (key file and settings), made ready. An unzipped copy keeps
/// them in the folder it was started from, beside the program. An installed one (`userFolder`:
/// "%APPDATA%\Tonefalls", not empty) keeps them there, since the program's folder may not be
/// writable and the uninstaller removes it; a key file or settings left in the start folder are
/// read until the user folder has its own (the settings are copied over once, the start
/// folder's file left as it is).
struct WritablePlaces {
    KeyFileRule keyFileRule = KeyFileRule::StartFolder;
    /// The user folder, for `KeyFileRule::ConfigFolder`.
    std::filesystem::path configFolder;
    std::filesystem::path settingsFile;
};
WritablePlaces ChooseWritablePlaces(const std::filesystem::path& startDirectory,
                                    const std::filesystem::path& userFolder);

} // namespace tf

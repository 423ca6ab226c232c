#include "app/settings/InstalledCopy.h"

#include "app/settings/Settings.h"

#include <system_error>

namespace tf {

bool IsInstalledCopy(const std::filesystem::path& programDirectory) {
    std::error_code error;
    return !programDirectory.empty() &&
           std::filesystem::is_regular_file(programDirectory / InstalledMarkerFile, error);
}

WritablePlaces ChooseWritablePlaces(const std::filesystem::path& startDirectory,
                                    const std::filesystem::path& userFolder) {
    const std::filesystem::path startSettings = startDirectory / WindowsSettingsFileName;
    if (userFolder.empty()) {
        return {KeyFileRule::StartFolder, {}, startSettings};
    }
    WritablePlaces places{KeyFileRule::ConfigFolder, userFolder, userFolder / WindowsSettingsFileName};
    std::error_code error;
    if (!std::filesystem::exists(places.settingsFile, error) &&
        std::filesystem::is_regular_file(startSettings, error)) {
        std::filesystem::create_directories(userFolder, error);
        // A copy that fails leaves the defaults; the start folder's settings are never touched.
        std::filesystem::copy_file(startSettings, places.settingsFile, error);
    }
    return places;
}

} // namespace tf

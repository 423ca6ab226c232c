#include "app/settings/InstalledCopy.h"

#include "app/settings/Settings.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tf {
namespace {

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(InstalledCopyTest, OnlyTheInstallersMarkerMakesAnInstalledCopy) {
    test::TempDir program;
    EXPECT_FALSE(IsInstalledCopy(program.path()));
    EXPECT_FALSE(IsInstalledCopy({}));
    std::ofstream(program.path() / InstalledMarkerFile) << "installed\n";
    EXPECT_TRUE(IsInstalledCopy(program.path()));
}

TEST(InstalledCopyTest, AnInstalledCopyWritesInTheUserFolderAndCarriesTheStartFoldersSettingsOverOnce) {
    test::TempDir start;
    test::TempDir appData;
    const auto user = appData.path() / "Tonefalls";
    const auto unzipped = ChooseWritablePlaces(start.path(), {});
    EXPECT_EQ(unzipped.keyFileRule, KeyFileRule::StartFolder);
    EXPECT_EQ(unzipped.settingsFile, start.path() / WindowsSettingsFileName);

    std::ofstream(start.path() / WindowsSettingsFileName, std::ios::binary) << "[View]\nZoom=2\n";
    const auto installed = ChooseWritablePlaces(start.path(), user);
    EXPECT_EQ(installed.keyFileRule, KeyFileRule::ConfigFolder);
    EXPECT_EQ(installed.configFolder, user);
    EXPECT_EQ(installed.settingsFile, user / WindowsSettingsFileName);
    EXPECT_EQ(ReadText(installed.settingsFile), "[View]\nZoom=2\n");

    // Once the user folder has settings of its own, the start folder's are not read again.
    std::ofstream(installed.settingsFile, std::ios::binary | std::ios::trunc) << "[View]\nZoom=3\n";
    ChooseWritablePlaces(start.path(), user);
    EXPECT_EQ(ReadText(installed.settingsFile), "[View]\nZoom=3\n");
    EXPECT_EQ(ReadText(start.path() / WindowsSettingsFileName), "[View]\nZoom=2\n");
}

} // namespace
} // namespace tf

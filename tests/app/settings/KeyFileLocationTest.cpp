#include "app/settings/KeyFileLocation.h"

#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tf {
namespace {

TEST(KeyFileLocationTest, ConfigFolderFollowsXdgThenHomeAndIgnoresRelativeValues) {
    // Absolute as this system writes them (a drive letter on Windows).
    test::TempDir root;
    const std::filesystem::path xdg = root.path() / "cfg";
    const std::filesystem::path home = root.path() / "me";
    EXPECT_EQ(ConfigFolder(xdg.string(), home.string()), xdg / "tonefalls");
    EXPECT_EQ(ConfigFolder("", home.string()), home / ".config" / "tonefalls");
    EXPECT_EQ(ConfigFolder("relative/cfg", home.string()), home / ".config" / "tonefalls");
    EXPECT_EQ(ConfigFolder("", ""), std::filesystem::path());
    EXPECT_EQ(ConfigFolder("", "not/absolute"), std::filesystem::path());
}

TEST(KeyFileLocationTest, ReadFromTheConfigFolderOrCarriedOverFromTheStartFolderAlwaysSavedInTheConfig) {
    test::TempDir start;
    test::TempDir home;
    const auto config = home.path() / "tonefalls";
    // Nothing anywhere: read (and so first written) in the config folder.
    KeyFileFolders folders = ChooseKeyFileFolders(KeyFileRule::ConfigFolder, start.path(), config);
    EXPECT_EQ(folders.read, config);
    EXPECT_EQ(folders.save, config);
    EXPECT_TRUE(folders.makeSaveFolder);
    // An older key file in the start folder is read while the config folder has none.
    std::ofstream(start.path() / "Tonefalls.ini") << "[Key]\n";
    folders = ChooseKeyFileFolders(KeyFileRule::ConfigFolder, start.path(), config);
    EXPECT_EQ(folders.read, start.path());
    EXPECT_EQ(folders.save, config);
    std::filesystem::create_directories(config);
    std::ofstream(config / "Tonefalls.ini") << "[Key]\n";
    EXPECT_EQ(ChooseKeyFileFolders(KeyFileRule::ConfigFolder, start.path(), config).read, config);
    // Without a usable config folder, and on Windows, the start folder alone.
    folders = ChooseKeyFileFolders(KeyFileRule::ConfigFolder, start.path(), {});
    EXPECT_EQ(folders.read, start.path());
    EXPECT_EQ(folders.save, start.path());
    EXPECT_FALSE(folders.makeSaveFolder);
    folders = ChooseKeyFileFolders(KeyFileRule::StartFolder, start.path(), config);
    EXPECT_EQ(folders.read, start.path());
    EXPECT_EQ(folders.save, start.path());
    EXPECT_FALSE(folders.makeSaveFolder);
}

} // namespace
} // namespace tf

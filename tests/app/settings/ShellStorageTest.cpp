#include "app/settings/ShellStorage.h"

#include "game/KeyBindings.h"
#include "game/KeyFile.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tf {
namespace {

void Touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShellStorageTest : public ::testing::Test {
protected:
    ShellStorageTest() : cwd(dir.path()) {}

    /// Records the pictures asked for; loads none.
    PictureLoader recorder() {
        return [this](const std::filesystem::path& file) {
            pictures.push_back(file);
            return std::unique_ptr<Bitmap>();
        };
    }

    test::TempDir dir;
    test::WorkingDirectory cwd;
    std::vector<std::filesystem::path> pictures;
    KeyBindings keys;
};

TEST_F(ShellStorageTest, PicturesComeFromTheProgramsFolderBeforeTheWorkingDirectory) {
    ShellStorage none;
    none.open({}, recorder(), keys); // no folder holds them: none is read
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(none.startDirectory(), dir.path());

    test::TempDir program;
    for (const char* name : {"main.bmp", "title.bmp", "result.bmp"}) {
        Touch(dir.path() / name);
        Touch(program.path() / name);
    }
    ShellStorage storage;
    storage.open({program.path(), {}, KeyFileRule::StartFolder, {}}, recorder(), keys);
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_EQ(pictures[0], (program.path() / "main.bmp").string());
    EXPECT_EQ(pictures[1], (program.path() / "title.bmp").string());
    EXPECT_EQ(pictures[2], (program.path() / "result.bmp").string());
    // The English tagline's title, from the same folder; the Japanese one stands in without it.
    EXPECT_EQ(pictures[3], (program.path() / "title-en.bmp").string());
}

TEST_F(ShellStorageTest, KeyFileOfTheStartDirectoryIsReadAtOpeningAndWrittenAtClosing) {
    std::ofstream(dir.path() / "Tonefalls.ini") << "[Key]\nKey00 = 81\n";
    ShellStorage storage;
    storage.open({}, recorder(), keys);
    EXPECT_EQ(keys.primaryKey(0), 81u);
    keys.setKeys(3, 0x41, 0);
    storage.close(keys);
    KeyBindings reread;
    LoadKeyFile(reread, dir.str());
    EXPECT_EQ(reread.primaryKey(3), 0x41u);
    EXPECT_EQ(reread.primaryKey(0), 81u);
}

TEST_F(ShellStorageTest, KeyFileInTheConfigFolderCarriesOverTheStartFoldersKeysAndNeverWritesThere) {
    std::ofstream(dir.path() / "Tonefalls.ini") << "[Key]\nKey00 = 81\n";
    test::TempDir home;
    const std::filesystem::path config = home.path() / "config" / "tonefalls";
    const StoragePlaces places{{}, {}, KeyFileRule::ConfigFolder, config};
    {
        ShellStorage storage;
        storage.open(places, recorder(), keys);
        EXPECT_EQ(keys.primaryKey(0), 81u); // read from the start folder
        EXPECT_FALSE(std::filesystem::exists(config / "Tonefalls.ini"));
        keys.setKeys(1, 0x41, 0);
        storage.close(keys);
    }
    // Saved in the config folder, made for it; the start folder's file is left as it was.
    KeyBindings saved;
    LoadKeyFile(saved, config.string());
    EXPECT_EQ(saved.primaryKey(0), 81u);
    EXPECT_EQ(saved.primaryKey(1), 0x41u);
    EXPECT_EQ(Contents(dir.path() / "Tonefalls.ini"), "[Key]\nKey00 = 81\n");

    // From now on the config folder's file is the one read.
    std::ofstream(dir.path() / "Tonefalls.ini") << "[Key]\nKey01 = 90\n";
    KeyBindings later;
    ShellStorage again;
    again.open(places, recorder(), later);
    EXPECT_EQ(later.primaryKey(1), 0x41u);
    EXPECT_EQ(again.keyFileFolders().read, config);
}

TEST_F(ShellStorageTest, EveryChangeIsInTheFileAtOnce) {
    const std::filesystem::path file = dir.path() / "cfg" / "settings.ini";
    ShellStorage storage;
    storage.open({{}, file, KeyFileRule::StartFolder, {}}, recorder(), keys);
    EXPECT_FALSE(std::filesystem::exists(file)); // opening writes nothing
    storage.change([](Settings& settings) { settings.hitErrorBar = true; });
    EXPECT_TRUE(LoadSettings(file).hitErrorBar);
    storage.change([](Settings& settings) { settings.language = Language::English; });
    EXPECT_EQ(LoadSettings(file), storage.settings());
    EXPECT_EQ(LoadSettings(file).language, Language::English);
}

} // namespace
} // namespace tf

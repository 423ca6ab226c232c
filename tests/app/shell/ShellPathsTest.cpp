#include "app/settings/Settings.h"
#include "app/shell/Shell.h"
#include "app/text/PathText.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "game/KeyFile.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <string_view>

namespace tf {
namespace {

std::string Utf8(std::u8string_view text) {
    return std::string(text.begin(), text.end());
}

// The names are in a script other than Latin and hold a character beyond the Basic Multilingual
// Plane (a surrogate pair in UTF-16): on Windows no ANSI code page can write them, so they work
// only where the path goes whole from the system to the file calls and back.
class ShellPathsTest : public ::testing::Test {
protected:
    ShellPathsTest()
        : folder(MakeFolder(root.path() / u8"曲フォルダ🎵")), song(folder / u8"さくら🌸.mid"), cwd(folder),
          game(clock, latch, port, surface, sink) {
        const test::Bytes bytes = test::TwoSecondSong();
        std::ofstream(song, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        // As on Windows: the settings and the keys beside the program, in the start folder.
        setup.settingsFile = folder / "Tonefalls-settings.ini";
        setup.keyFileRule = KeyFileRule::StartFolder;
    }
    static std::filesystem::path MakeFolder(const std::filesystem::path& path) {
        std::filesystem::create_directory(path);
        return path;
    }

    test::TempDir root;
    std::filesystem::path folder;
    std::filesystem::path song;
    test::WorkingDirectory cwd;
    ManualClock clock{0};
    KeyLatch latch;
    CapturePort port{clock};
    NullSurface surface;
    test::RecordingSink sink;
    std::mutex surfaceLock;
    GamePlay game;
    test::FakeView view;
    ShellSetup setup;
};

TEST_F(ShellPathsTest, ASongInAFolderNamedInJapaneseWithAnEmojiPlaysAndComesBackInTheNextRun) {
    {
        Shell first(game, latch, surface, surfaceLock, view);
        first.create(setup);
        // The start folder is taken as the system names it.
        EXPECT_TRUE(std::filesystem::equivalent(first.startDirectory(), folder));
        EXPECT_EQ(first.startDirectory().filename(), folder.filename());

        view.chooser = [this](std::filesystem::path& path) {
            path = song;
            return true;
        };
        std::string caption;
        view.partDialog = [&caption](PartDialog& dialog) {
            caption = dialog.caption();
            test::AcceptParts(1u, true)(dialog);
        };
        first.command(StartCommand);
        test::WaitUntil([&] { return first.appState() == AppState::Result && !first.workerRunning(); });
        EXPECT_TRUE(view.messages.empty()) << view.messages.front().text;
        EXPECT_TRUE(caption.ends_with(Utf8(u8" - さくら🌸.mid"))) << caption;
        EXPECT_EQ(view.recentLabels, std::vector<std::string>{Utf8(u8"&1 さくら🌸.mid")});

        // No help page here: the message names where it was looked for, readably.
        view.browserOpens = false;
        first.command(HelpCommand);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_TRUE(view.messages[0].text.ends_with(PathText(folder / "help" / "help.html")));
        EXPECT_NE(view.messages[0].text.find(Utf8(u8"曲フォルダ🎵")), std::string::npos);

        game.keyBindings().setKeys(2, 0x41, 0);
    }

    // The keys were saved in the folder and read back from it.
    KeyBindings saved;
    LoadKeyFile(saved, folder);
    EXPECT_TRUE(std::filesystem::exists(KeyFilePath(folder)));
    EXPECT_EQ(saved.primaryKey(2), 0x41u);

    // The settings file is UTF-8 text whatever the system's code page.
    std::ifstream in(setup.settingsFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Song1=" + PathText(song) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Folder=" + PathText(folder) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(Utf8(u8"曲フォルダ🎵")), std::string::npos) << text;
    EXPECT_NE(text.find(Utf8(u8"さくら🌸.mid")), std::string::npos) << text;
    const Settings settings = LoadSettings(setup.settingsFile);
    ASSERT_EQ(settings.recent.songs().size(), 1u);
    EXPECT_EQ(settings.recent.songs()[0].path.filename(), song.filename());
    EXPECT_TRUE(std::filesystem::equivalent(settings.recent.songs()[0].path, song));
    EXPECT_EQ(settings.folder.filename(), folder.filename());

    // The next run opens the song from the recent list, and the chooser in its folder.
    view.messages.clear();
    Shell second(game, latch, surface, surfaceLock, view);
    second.create(setup);
    EXPECT_EQ(view.recentLabels, std::vector<std::string>{Utf8(u8"&1 さくら🌸.mid")});
    std::uint32_t offered = 0;
    view.partDialog = [&offered](PartDialog& dialog) {
        offered = dialog.partMask();
        test::FakePartHost host;
        dialog.command(CancelButton, host);
    };
    second.command(RecentSongCommandBase);
    EXPECT_TRUE(view.messages.empty()) << view.messages.front().text;
    EXPECT_EQ(offered, 1u);
    view.chooser = [](std::filesystem::path&) { return false; };
    second.command(StartCommand);
    EXPECT_TRUE(std::filesystem::equivalent(view.chooserFolders.back(), folder));
}

#ifdef _WIN32
TEST_F(ShellPathsTest, ANameThatIsNoProperUtf16IsShownWithAStandInAndNotWrittenToTheSettings) {
    // Windows allows a lone surrogate in a name; such a name has no UTF-8 form to keep.
    const std::filesystem::path odd = folder / std::wstring(L"a\xD800.mid");
    EXPECT_EQ(FileNameText(odd), Utf8(u8"a\uFFFD.mid"));
    Settings settings;
    settings.folder = odd.parent_path();
    settings.recent.add(odd, 1u);
    settings.recent.add(song, 2u);
    ASSERT_TRUE(SaveSettings(settings, setup.settingsFile));
    const Settings read = LoadSettings(setup.settingsFile);
    ASSERT_EQ(read.recent.songs().size(), 1u);
    EXPECT_EQ(read.recent.songs()[0].path, song);
    EXPECT_EQ(read.folder, folder);
}
#endif

} // namespace
} // namespace tf

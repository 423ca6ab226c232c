#include "app/shell/Shell.h"

#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "game/KeyBindings.h"
#include "game/KeyFile.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "song/MidiOutDevice.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/ShellFaultRig.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

namespace tf {
namespace {

using test::AcceptParts;
using test::ExpectOnlyTheLoadFailureBox;
using test::Rig;
using test::ShellFaultTest;
using test::WaitUntil;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// --- An output that fails every call -------------------------------------------------------

struct BrokenOutput {
    PortResult openResult;
    const char* text; // empty: the failure shows nothing
};

class ShellBrokenOutputTest : public ShellFaultTest, public ::testing::WithParamInterface<BrokenOutput> {};

TEST_P(ShellBrokenOutputTest, TheGameSaysSoAtMostOnceAndPlaysSilentlyToTheResult) {
    Rig rig(GetParam().openResult, true);
    rig.shell.create();
    const auto shownAtStart = rig.sink.messages();
    if (std::string(GetParam().text).empty()) {
        EXPECT_TRUE(shownAtStart.empty());
    } else {
        ASSERT_EQ(shownAtStart.size(), 1u);
        EXPECT_EQ(shownAtStart[0].icon, MessageIcon::Stop);
        EXPECT_EQ(shownAtStart[0].caption, "Tonefalls");
        EXPECT_EQ(shownAtStart[0].text, GetParam().text);
    }

    // Played by nobody, so every note is judged: none may go missing for want of a sound.
    rig.choose(song.str());
    rig.view.partDialog = AcceptParts(1u, false);
    // On virtual time the play may already be over here: only the result is waited for.
    rig.shell.command(StartCommand);
    rig.waitForResult();
    EXPECT_EQ(rig.game.tally().bad(), 4);

    // Restart and a second run under AUTO PLAY: still nothing shown, nothing sent.
    rig.shell.keyDown(VkF3, false);
    rig.waitForResult();
    EXPECT_EQ(rig.game.tally().bad(), 4);
    rig.shell.keyDown(VkEscape, false);
    EXPECT_EQ(rig.shell.appState(), AppState::Title);
    rig.view.partDialog = AcceptParts(1u, true);
    rig.shell.keyDown(VkReturn, false);
    rig.waitForResult();
    EXPECT_EQ(rig.game.tally().bad(), 0);

    rig.shell.destroy();
    EXPECT_EQ(rig.sink.messages().size(), shownAtStart.size());
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_TRUE(rig.port.messages().empty());
    EXPECT_EQ(rig.view.partDialogs, 2);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Tonefalls.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryOpenResult, ShellBrokenOutputTest,
    ::testing::Values(BrokenOutput{PortResult::NoDevice, "MIDIポートが見つかりません。"},
                      BrokenOutput{PortResult::InUse, "指定されたリソースは既に割り当てられています。"},
                      BrokenOutput{PortResult::NoSuchDevice, "指定されたデバイス識別子は範囲外です。"},
                      BrokenOutput{PortResult::BadArgument, "指定されたポインタまたは構造体は無効です。"},
                      BrokenOutput{PortResult::OutOfMemory,
                                   "システムはメモリを割り当てられてないか、またはロックできません。"},
                      BrokenOutput{PortResult::Failed, ""}, BrokenOutput{PortResult::NotOpen, ""},
                      // Opens, then fails every send.
                      BrokenOutput{PortResult::Ok, ""}));

TEST_F(ShellFaultTest, APreviewOnABrokenOutputEndsQuietlyToo) {
    Rig rig(PortResult::NoDevice, true);
    rig.shell.create();
    rig.choose(song.str());
    rig.view.partDialog = [&rig](PartDialog& dialog) {
        test::FakePartHost host;
        dialog.command(PreviewButtonBase, host);
        // The preview pumps without sleeping: time is moved on for it until the song ends.
        WaitUntil([&] {
            rig.clock.advance(10);
            return !rig.shell.workerRunning();
        });
        dialog.command(CancelButton, host);
    };
    rig.shell.command(StartCommand);
    EXPECT_FALSE(rig.shell.workerRunning());
    EXPECT_EQ(rig.sink.messages().size(), 1u);
    EXPECT_TRUE(rig.view.messages.empty());
}

// --- A start directory that cannot be written ------------------------------------------------

constexpr const char* OldKeyFile = "[Key]\nKey00 = 81\n";

TEST_F(ShellFaultTest, BlockedTemporaryKeyFileKeepsTheOldOneWholeAndNothingBreaks) {
    {
        std::ofstream ini(dir.path() / "Tonefalls.ini", std::ios::binary);
        ini << OldKeyFile;
    }
    std::filesystem::create_directory(dir.path() / "Tonefalls.ini.tmp");
    Rig rig;
    rig.shell.create();
    EXPECT_EQ(rig.game.keyBindings().primaryKey(0), 81u);
    rig.game.keyBindings().setKeys(0, 0x41, 0);
    rig.choose(song.str());
    rig.view.partDialog = AcceptParts(1u, true);
    rig.shell.command(StartCommand);
    rig.waitForResult();
    rig.shell.destroy();

    EXPECT_EQ(ReadText(dir.path() / "Tonefalls.ini"), OldKeyFile);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Tonefalls.ini.tmp"));
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_TRUE(rig.sink.messages().empty());
}

TEST_F(ShellFaultTest, KeyFileThatIsADirectoryLeavesTheDefaultsAndIsNeverReplaced) {
    std::filesystem::create_directory(dir.path() / "Tonefalls.ini");
    Rig rig;
    rig.shell.create();
    EXPECT_EQ(rig.game.keyBindings().primaryKey(0), KeyBindings().primaryKey(0));
    rig.game.keyBindings().setKeys(0, 0x41, 0);
    rig.shell.destroy();
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Tonefalls.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Tonefalls.ini.tmp"));
    EXPECT_TRUE(rig.view.messages.empty());
}

// --- Songs that cannot be loaded -------------------------------------------------------------

TEST_F(ShellFaultTest, FileThatVanishesBetweenTheChooserAndTheLoad) {
    Rig rig;
    rig.shell.create();
    test::TempFile doomed(test::TwoSecondSong());
    rig.view.chooser = [&](std::filesystem::path& path) {
        path = doomed.str();
        std::filesystem::remove(doomed.path());
        return true;
    };
    rig.shell.keyDown(VkReturn, false);
    ExpectOnlyTheLoadFailureBox(rig);

    // The game is none the worse: the next song plays.
    rig.view.messages.clear();
    rig.choose(song.str());
    rig.view.partDialog = AcceptParts(1u, true);
    rig.shell.keyDown(VkReturn, false);
    rig.waitForResult();
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST_F(ShellFaultTest, DirectoryChosenAsAFile) {
    const std::filesystem::path folder = dir.path() / "folder.mid";
    std::filesystem::create_directory(folder);
    Rig rig;
    rig.shell.create();
    rig.choose(folder.string());
    rig.shell.command(StartCommand);
    ExpectOnlyTheLoadFailureBox(rig);
}

TEST_F(ShellFaultTest, FilesThatCannotBeRead) {
    // Reading the first page of one's own memory fails with an I/O error, even for root; on
    // Windows the name names nothing.
    for (const std::string& path : {std::string("/proc/self/mem"), std::string("")}) {
        SCOPED_TRACE(path);
        Rig rig;
        rig.shell.create();
        rig.choose(path);
        rig.shell.command(StartCommand);
        ExpectOnlyTheLoadFailureBox(rig);
    }
}

TEST_F(ShellFaultTest, FileWithoutReadPermission) {
    test::TempFile locked(test::TwoSecondSong());
    std::filesystem::permissions(locked.path(), std::filesystem::perms::none);
    if (std::ifstream(locked.path()).is_open()) {
        GTEST_SKIP() << "permissions are not enforced for this user (root?)";
    }
    Rig rig;
    rig.shell.create();
    rig.choose(locked.str());
    rig.shell.command(StartCommand);
    ExpectOnlyTheLoadFailureBox(rig);
}

TEST_F(ShellFaultTest, AFailedLoadAfterAPlayKeepsNoHalfOfTheOldSong) {
    Rig rig;
    rig.shell.create();
    rig.choose(song.str());
    rig.view.partDialog = AcceptParts(1u, true);
    rig.shell.keyDown(VkReturn, false);
    rig.waitForResult();
    rig.port.clear();
    rig.choose((dir.path() / "gone.mid").string());
    rig.shell.keyDown(VkReturn, false);
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0].text.substr(0, rig.view.messages[0].text.find('\n')),
              Text(TextId::LoadFailed, Language::Japanese));
    EXPECT_EQ(rig.shell.appState(), AppState::Title);
    EXPECT_EQ(rig.game.song().trackCount(), 0);
    EXPECT_TRUE(rig.port.messages().empty());
}

} // namespace
} // namespace tf

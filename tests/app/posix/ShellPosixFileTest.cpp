#include "tests/app/shell/ShellFaultRig.h"

#include "app/shell/CommandIds.h"
#include "app/shell/Shell.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tf {
namespace {

using test::AcceptParts;
using test::ExpectOnlyTheLoadFailureBox;
using test::Rig;
using test::ShellFaultTest;

// Windows refuses to remove a directory that a process works in, and has no pipes in the file
// system: these faults can only happen on POSIX systems.

TEST_F(ShellFaultTest, StartDirectoryRemovedDuringTheSessionSavesNothingAndCloses) {
    const std::filesystem::path start = dir.path() / "start";
    std::filesystem::create_directory(start);
    test::WorkingDirectory inStart(start);
    Rig rig;
    rig.shell.create();
    ASSERT_TRUE(std::filesystem::exists(start / "Tonefalls.ini")); // the defaults, written at once
    rig.choose(song.str());
    rig.view.partDialog = AcceptParts(1u, true);
    rig.shell.command(StartCommand);
    std::filesystem::remove_all(start);
    rig.shell.command(HelpCommand);
    rig.shell.keyDown(VkEscape, false);
    EXPECT_EQ(rig.shell.appState(), AppState::Title);
    rig.shell.destroy();
    EXPECT_FALSE(std::filesystem::exists(start));
    // The only box is Help's: the page is not there to open.
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_TRUE(rig.view.messages[0].text.starts_with("ヘルプのページを開けませんでした。"))
        << rig.view.messages[0].text;
    std::filesystem::create_directory(start); // for the working directory's way back
}

TEST_F(ShellFaultTest, APipeChosenAsASongIsNeverWaitedOn) {
    // A pipe has no end to read to.
    const std::filesystem::path pipe = dir.path() / "pipe.mid";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    Rig rig;
    rig.shell.create();
    rig.choose(pipe.string());
    rig.shell.command(StartCommand);
    ExpectOnlyTheLoadFailureBox(rig);
}

} // namespace
} // namespace tf

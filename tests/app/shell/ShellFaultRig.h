#pragma once

#include "app/shell/Shell.h"

#include "app/text/Texts.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/midi/CapturePort.h"
#include "song/MidiOutDevice.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>

namespace tf::test {

/// The shell and a real game over the fakes, with the output port chosen by each test.
struct Rig {
    explicit Rig(PortResult openResult = PortResult::Ok, bool failSends = false)
        : port(clock, openResult, failSends), game(clock, latch, port, surface, sink),
          shell(game, latch, surface, surfaceLock, view) {}

    void choose(const std::string& path) {
        view.chooser = [path](std::filesystem::path& chosen) {
            chosen = path;
            return true;
        };
    }
    void waitForResult() {
        WaitUntil([this] { return shell.appState() == AppState::Result && !shell.workerRunning(); });
    }

    PacedClock clock{1000};
    KeyLatch latch;
    CapturePort port;
    NullSurface surface;
    std::mutex surfaceLock;
    RecordingSink sink;
    FakeView view;
    GamePlay game;
    Shell shell;
};

/// Each case in a working directory of its own, with a two-second song in it.
class ShellFaultTest : public ::testing::Test {
protected:
    Watchdog watchdog;
    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    TempFile song{TwoSecondSong(), "two seconds.mid"};
};

/// The one box a failed load shows, and nothing after it: no dialog, no play, no sound.
inline void ExpectOnlyTheLoadFailureBox(Rig& rig) {
    ASSERT_EQ(rig.view.messages.size(), 1u);
    EXPECT_EQ(rig.view.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(rig.view.messages[0].caption, "Tonefalls");
    // The game's own line first; the file and the reason follow it.
    const std::string& text = rig.view.messages[0].text;
    EXPECT_EQ(text.substr(0, text.find('\n')), "MIDIファイルの読み込みに失敗しました");
    EXPECT_EQ(rig.view.partDialogs, 0);
    EXPECT_EQ(rig.shell.appState(), AppState::Title);
    EXPECT_FALSE(rig.shell.workerRunning());
    EXPECT_TRUE(rig.sink.messages().empty());
    EXPECT_TRUE(rig.port.messages().empty());
}

} // namespace tf::test

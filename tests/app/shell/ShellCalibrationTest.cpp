#include "app/shell/Shell.h"

#include "app/settings/Settings.h"
#include "app/shell/CommandIds.h"
#include "game/GamePlay.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace tf {
namespace {

using test::WaitUntil;

constexpr int NoteCount = 24;

/// `count` eighth notes of key 60 on channel 0, a quarter of a second apart.
test::Bytes EighthNotes(int count) {
    test::SmfBuilder song(480, 0);
    test::TrackBuilder& notes = song.track();
    notes.tempo(0, 500000);
    for (int i = 0; i < count; ++i) {
        notes.noteOn(i == 0 ? 0 : 120, 0, 60, 100).noteOff(120, 0, 60);
    }
    notes.end(0);
    return song.bytes();
}

/// The player's key of lane 0, pressed `lateness(i)` ms after note i reaches the line, for the
/// notes `lateness` gives a value (below 0: the note is let pass). A song that starts again
/// (F3) is played again the same way.
class LatePlayer final : public KeyState {
public:
    LatePlayer(GamePlay& game, std::uint32_t vk) : game(game), vk(vk) {}
    /// The hit times of the chart just built, and how late each is pressed. Set before play.
    void plan(std::vector<std::uint32_t> hits, std::vector<int> lateness) {
        due.clear();
        for (std::size_t i = 0; i < hits.size() && i < lateness.size(); ++i) {
            if (lateness[i] >= 0) {
                due.push_back(hits[i] + static_cast<std::uint32_t>(lateness[i]));
            }
        }
        next = 0;
    }
    bool pressedSinceLastQuery(std::uint32_t key) override {
        if (key != vk) {
            return false;
        }
        const std::uint32_t now = game.songTime();
        if (now < last) {
            next = 0;
        }
        last = now;
        // Before the song starts, the reset's drain finds nothing due.
        if (next < due.size() && now >= due[next] && now < due[next] + 100) {
            ++next;
            return true;
        }
        return false;
    }

private:
    GamePlay& game;
    const std::uint32_t vk;
    std::vector<std::uint32_t> due;
    std::size_t next = 0;
    std::uint32_t last = 0;
};

class ShellCalibrationTest : public ::testing::Test {
protected:
    ShellCalibrationTest()
        : cwd(dir.path()), song(EighthNotes(NoteCount), "eighths.mid"),
          game(clock, player, port, surface, sink), player(game, game.keyBindings().primaryKey(0)),
          shell(game, player, surface, surfaceLock, view) {
        shell.create(setup());
    }

    ShellSetup setup() const {
        ShellSetup setup;
        setup.settingsFile = settingsFile;
        return setup;
    }

    /// Plays the song through, note i pressed `lateness[i]` ms late, and waits for the result.
    void play(std::vector<int> lateness) {
        view.chooser = [this](std::filesystem::path& path) {
            path = song.str();
            return true;
        };
        view.partDialog = [this, lateness](PartDialog& dialog) {
            test::AcceptParts(1u, false)(dialog);
            std::vector<std::uint32_t> hits;
            const ChartStorage& chart = game.chart();
            for (std::int32_t i = 0; i < chart.noteOrderCount; ++i) {
                hits.push_back(chart.note(chart.noteOrder[static_cast<std::size_t>(i)]).hitTime());
            }
            player.plan(hits, lateness);
        };
        shell.command(StartCommand);
        waitForResult();
    }
    void waitForResult() {
        WaitUntil([this] { return shell.appState() == AppState::Result && !shell.workerRunning(); });
    }

    test::Watchdog watchdog;
    test::TempDir dir;
    // The key file is written to the start folder when a shell goes.
    test::WorkingDirectory cwd;
    const std::filesystem::path settingsFile = dir.path() / "settings.ini";
    test::TempFile song;
    test::PacedClock clock{1000};
    CapturePort port{clock};
    NullSurface surface;
    std::mutex surfaceLock;
    test::RecordingSink sink;
    test::FakeView view;
    GamePlay game;
    LatePlayer player;
    Shell shell;
};

TEST_F(ShellCalibrationTest, F4AfterASteadilyLatePlaySetsAndKeepsTheOffsetAndTheReplayIsOnTime) {
    // Nothing to take on the title, nor before any play.
    shell.keyDown(VkF4, false);
    EXPECT_EQ(game.options().judgeOffset(), 0);

    play(std::vector<int>(NoteCount, 20));
    const TimingReport& report = shell.resultTiming();
    // A late press on the lane's last note comes after the lane has moved past it: not judged.
    ASSERT_GE(report.summary.count, 20u);
    EXPECT_NEAR(report.summary.median, 20, 1);
    ASSERT_TRUE(report.offer.has_value());
    const std::int32_t offer = *report.offer;
    EXPECT_EQ(offer, report.summary.median);
    // Offered, not taken: nothing changes without the key.
    EXPECT_EQ(game.options().judgeOffset(), 0);
    EXPECT_EQ(LoadSettings(settingsFile).offset, 0);

    shell.keyDown(VkF4, false);
    EXPECT_TRUE(shell.resultTiming().offerTaken);
    EXPECT_EQ(game.options().judgeOffset(), offer);
    EXPECT_EQ(LoadSettings(settingsFile).offset, offer);

    // F3 replays with the new offset: the same late presses now land on time, nothing is offered.
    shell.keyDown(VkF3, false);
    waitForResult();
    EXPECT_NEAR(shell.resultTiming().summary.median, 0, 1);
    EXPECT_FALSE(shell.resultTiming().offer.has_value());
    EXPECT_EQ(game.options().judgeOffset(), offer);

    // The part dialog opens with it, and a game started afresh reads it back.
    play(std::vector<int>(NoteCount, 20));
    EXPECT_EQ(game.options().judgeOffset(), offer);
    Settings remembered = LoadSettings(settingsFile);
    EXPECT_EQ(remembered.offset, offer);
}

TEST_F(ShellCalibrationTest, NoOfferAfterTooFewPressesOrAWideSpreadAndF4ChangesNothing) {
    // Nineteen presses, the rest let pass.
    std::vector<int> few(NoteCount, -1);
    for (int i = 0; i < 19; ++i) {
        few[static_cast<std::size_t>(i)] = 30;
    }
    play(few);
    EXPECT_LE(shell.resultTiming().summary.count, 19u);
    EXPECT_FALSE(shell.resultTiming().offer.has_value());
    shell.keyDown(VkF4, false);
    EXPECT_EQ(game.options().judgeOffset(), 0);

    // Late, but by 20 or 80 ms by turns: the spread is far over 40 ms.
    std::vector<int> wide;
    for (int i = 0; i < NoteCount; ++i) {
        wide.push_back(i % 2 == 0 ? 20 : 80);
    }
    play(wide);
    EXPECT_GE(shell.resultTiming().summary.spread, 40);
    EXPECT_FALSE(shell.resultTiming().offer.has_value());
    shell.keyDown(VkF4, false);
    EXPECT_EQ(game.options().judgeOffset(), 0);
    EXPECT_EQ(LoadSettings(settingsFile).offset, 0);

    // AUTO PLAY judges nothing: no timing at all.
    game.options().setAutoPlay(true);
    view.partDialog = test::AcceptParts(1u, true);
    shell.command(StartCommand);
    waitForResult();
    EXPECT_EQ(shell.resultTiming().summary.count, 0u);
}

TEST_F(ShellCalibrationTest, TheHitErrorBarSwitchIsOffAtFirstFlipsFromTheMenuAndIsRemembered) {
    EXPECT_EQ(view.hitErrorBarShown, false);
    shell.command(HitErrorBarCommand);
    EXPECT_EQ(view.hitErrorBarShown, true);
    EXPECT_TRUE(LoadSettings(settingsFile).hitErrorBar);

    // The next start shows it checked from the file.
    test::FakeView nextView;
    Shell next(game, player, surface, surfaceLock, nextView);
    next.create(setup());
    EXPECT_EQ(nextView.hitErrorBarShown, true);
    next.command(HitErrorBarCommand);
    EXPECT_EQ(nextView.hitErrorBarShown, false);
    EXPECT_FALSE(LoadSettings(settingsFile).hitErrorBar);
}

} // namespace
} // namespace tf

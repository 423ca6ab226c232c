#include "app/shell/PlayRunner.h"

#include "app/dialogs/PartDialog.h"
#include "app/shell/WorkerThread.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/MessageCounts.h"
#include "tests/support/PacedClock.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <latch>
#include <mutex>

namespace tf {
namespace {

using test::WaitUntil;

TEST(PlayRunnerTest, AStopWhilePausedLeavesThePlayStoppedAndSendsNothing) {
    test::Watchdog watchdog;
    // A minute of song: the play is far from its end when it is paused.
    test::TempFile song(test::SteadySong(120));
    test::PacedClock clock{1000};
    KeyLatch latch;
    CapturePort port{clock};
    NullSurface surface;
    std::mutex surfaceLock;
    test::RecordingSink sink;
    test::FakeView view;
    GamePlay game(clock, latch, port, surface, sink);
    int results = 0;
    PlayRunner runner(game, surfaceLock, view, [&results](const PlayResult&) { ++results; });
    ASSERT_EQ(game.load(song.str()), LoadResult::Loaded);
    game.options().setAutoPlay(true);
    ASSERT_EQ(game.buildChart(1u), ChartResult::Built);
    game.resetForPlay();

    runner.start(Language::Japanese);
    ASSERT_TRUE(runner.pause());
    EXPECT_FALSE(runner.running());
    const std::size_t sent = port.messages().size();
    EXPECT_EQ(test::CountAllSoundOff(port.messages()), 16); // the pause's

    runner.stop();
    EXPECT_FALSE(runner.paused());
    EXPECT_FALSE(runner.running());
    EXPECT_EQ(port.messages().size(), sent);
    // The song was not resumed on its way out: its pump stays where the pause left it.
    EXPECT_TRUE(game.paused());
    EXPECT_FALSE(game.pumpGame());
    EXPECT_EQ(port.messages().size(), sent);
    EXPECT_EQ(results, 0);
}

/// Virtual time that calls `hook` at the `at`-th look at the clock after `arm`: the capture port
/// looks once for every message it records, so the hook runs on the thread sending that message.
class HookedClock final : public Clock {
public:
    std::uint32_t tickCount() override {
        if (armed.load(std::memory_order_acquire) && ++looks == at) {
            hook();
        }
        return now.load(std::memory_order_acquire);
    }
    void sleep(std::uint32_t ms) override { now.fetch_add(ms, std::memory_order_acq_rel); }
    void arm(int count, std::function<void()> call) {
        at = count;
        hook = std::move(call);
        armed.store(true, std::memory_order_release);
    }

private:
    std::atomic<std::uint32_t> now{0};
    std::atomic<bool> armed{false};
    int looks = 0;
    int at = 0;
    std::function<void()> hook;
};

TEST(PreviewStopTest, AStopWhileAPreviewRunsToItsFirstNoteEndsItThere) {
#ifdef _WIN32
    // Under Wine this test's hand-over between the held port and the stop does not finish in
    // time; until it is understood it runs on Linux (plain and under ThreadSanitizer) only.
    GTEST_SKIP() << "the preview's stop hand-over is not yet checked under Wine";
#endif
    test::Watchdog watchdog;
    // A thousand controller messages on channel 0 before the one note of channel 1: the preview
    // of channel 1 runs through them without waiting.
    test::SmfBuilder smf(480, 0);
    test::TrackBuilder& track = smf.track();
    for (int i = 0; i < 1000; ++i) {
        track.control(10, 0, 7, i % 128);
    }
    track.noteOn(10, 1, 60, 100).noteOff(240, 1, 60).end(0);
    test::TempFile song(smf.bytes());
    HookedClock clock;
    KeyLatch latch;
    CapturePort port{clock};
    NullSurface surface;
    test::RecordingSink sink;
    GamePlay game(clock, latch, port, surface, sink);
    WorkerThread worker(game);
    ASSERT_EQ(game.load(song.str()), LoadResult::Loaded);
    game.startPreview(1);
    ASSERT_TRUE(game.previewWaiting());

    // The preview's thread is held in its tenth message while the stop is asked for, so that the
    // stop falls while the preview still waits for the note, however fast the machine.
    const std::size_t before = port.messages().size();
    std::latch reached(1);
    std::latch asked(1);
    clock.arm(10, [&] {
        reached.count_down();
        asked.wait();
    });
    worker.start([&game](std::stop_token stop) { PreviewThread(game, stop); });
    reached.wait();
    worker.requestStop();
    asked.count_down();
    WaitUntil([&worker] { return !worker.running(); });
    worker.stop();

    const std::vector<CapturePort::Message> messages = port.messages();
    EXPECT_TRUE(game.previewWaiting());
    EXPECT_FALSE(game.songFinished());
    EXPECT_EQ(test::CountNoteOns(messages, 1), 0);
    // Ten controller messages, then the stop's All Sound Off on the sixteen channels.
    ASSERT_EQ(messages.size(), before + 10 + 16);
    EXPECT_EQ(test::CountAllSoundOff({messages.end() - 16, messages.end()}), 16);
}

} // namespace
} // namespace tf

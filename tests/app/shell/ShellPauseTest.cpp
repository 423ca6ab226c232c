#include "app/shell/Shell.h"

#include "app/shell/CommandIds.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/MessageCounts.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

namespace tf {
namespace {

using test::WaitUntil;

/// Virtual time that the play thread cannot take past a gate: a sleep of that thread at or past
/// the gate waits until the gate is raised. A sleep of the test's own thread (the pause's
/// hand-off) moves time at once and opens the gate, so a play thread being paused can always
/// leave. Presses scheduled at ticks are latched by the play thread's own sleeps as time passes
/// them, so a run is the same every time.
class GatedClock final : public Clock {
public:
    GatedClock(std::uint32_t start, KeyLatch& latch) : now(start), gate(start), latch(latch) {}

    std::uint32_t tickCount() override { return now.load(std::memory_order_acquire); }
    void sleep(std::uint32_t ms) override {
        std::unique_lock lock(mutex);
        if (std::this_thread::get_id() == owner) {
            now.fetch_add(ms, std::memory_order_acq_rel);
            gate = Open;
            wake.notify_all();
            return;
        }
        waiting = true;
        wake.notify_all();
        wake.wait(lock, [this] { return tickCount() < gate; });
        waiting = false;
        now.fetch_add(ms, std::memory_order_acq_rel);
        for (Press& press : presses) {
            if (!press.done && press.tick <= tickCount()) {
                press.done = true;
                latch.press(press.vk);
            }
        }
    }

    /// The play thread may run up to (not past) a sleep at `tick`.
    void setGate(std::uint32_t tick) {
        std::lock_guard lock(mutex);
        gate = tick;
        wake.notify_all();
    }
    void open() { setGate(Open); }
    /// Waits until the play thread sleeps at the gate.
    void waitAtGate() {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return waiting && tickCount() >= gate; });
    }
    void set(std::uint32_t tick) {
        std::lock_guard lock(mutex);
        now.store(tick, std::memory_order_release);
    }
    /// Latches `vk` once time reaches `tick`.
    void pressAt(std::uint32_t tick, std::uint32_t vk) {
        std::lock_guard lock(mutex);
        presses.push_back({tick, vk});
    }

private:
    static constexpr std::uint32_t Open = std::numeric_limits<std::uint32_t>::max();
    struct Press {
        std::uint32_t tick;
        std::uint32_t vk;
        bool done = false;
    };
    std::atomic<std::uint32_t> now;
    std::uint32_t gate;
    bool waiting = false;
    KeyLatch& latch;
    std::vector<Press> presses;
    std::mutex mutex;
    std::condition_variable wake;
    const std::thread::id owner = std::this_thread::get_id();
};

constexpr std::uint32_t Start = 1000;
constexpr std::uint32_t PauseLength = 3000;

/// The shell and a real game over the gated clock, playing part 1 of the two-second song.
struct Rig {
    explicit Rig(const std::string& song)
        : clock(Start, latch), port(clock), game(clock, latch, port, surface, sink),
          shell(game, latch, surface, surfaceLock, view) {
        shell.create();
        view.chooser = [song](std::filesystem::path& path) {
            path = song;
            return true;
        };
        view.partDialog = test::AcceptParts(1u, false);
        shell.command(StartCommand);
        // The play thread's first frame, at song time 0, waits at the gate.
        clock.waitAtGate();
    }
    void finish() {
        WaitUntil([this] { return shell.appState() == AppState::Result && !shell.workerRunning(); });
    }

    KeyLatch latch;
    GatedClock clock;
    CapturePort port;
    NullSurface surface;
    std::mutex surfaceLock;
    test::RecordingSink sink;
    test::FakeView view;
    GamePlay game;
    Shell shell;
};

struct Hit {
    std::uint32_t time;
    std::uint32_t key;
};

/// The song times at which the four notes of key 60 reach the line, and their lanes' keys.
std::vector<Hit> Hits(Rig& rig) {
    std::vector<Hit> hits;
    const ChartStorage& chart = rig.game.chart();
    for (std::int32_t i = 0; i < chart.pitchNoteCount[60]; ++i) {
        const Note& note = chart.pitchNotes[60][static_cast<std::size_t>(i)];
        hits.push_back({note.hitTime(), rig.game.keyBindings().primaryKey(note.lane())});
    }
    return hits;
}

TEST(ShellPauseTest, APausedRunSendsAndJudgesTheSameAsAnUnpausedOneLaterByThePause) {
    test::Watchdog watchdog;
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.path());
    test::TempFile song(test::TwoSecondSong(), "two seconds.mid");

    // Presses on the first note on time, the second a little late, the third (after the pause)
    // late; the fourth is let pass.
    const auto schedule = [](Rig& rig, const std::vector<Hit>& hits, std::uint32_t pausedAt,
                             std::uint32_t shift) {
        const std::int32_t offsets[] = {0, 40, 20};
        for (std::size_t i = 0; i < 3; ++i) {
            const std::uint32_t tick = Start + hits[i].time + static_cast<std::uint32_t>(offsets[i]);
            rig.clock.pressAt(tick > pausedAt ? tick + shift : tick, hits[i].key);
        }
    };

    Rig plain(song.str());
    const std::vector<Hit> hits = Hits(plain);
    ASSERT_EQ(hits.size(), 4u);
    // The pause falls 100 ms before the third note reaches the line.
    const std::uint32_t pausedAt = Start + hits[2].time - 100;
    schedule(plain, hits, pausedAt, 0);
    plain.clock.open();
    plain.finish();

    Rig paused(song.str());
    ASSERT_EQ(Hits(paused).size(), 4u);
    schedule(paused, hits, pausedAt, PauseLength);
    paused.clock.setGate(pausedAt);
    paused.clock.waitAtGate();
    paused.shell.keyDown(VkSpace, false);
    EXPECT_TRUE(paused.shell.paused());
    EXPECT_FALSE(paused.shell.workerRunning());
    EXPECT_EQ(paused.shell.appState(), AppState::Play);
    // A lane key pressed while paused, right before the third note: it must not count.
    paused.shell.keyDown(hits[2].key, false);
    paused.clock.set(pausedAt + PauseLength);
    paused.shell.keyDown(VkSpace, true); // a held Space does not resume
    EXPECT_TRUE(paused.shell.paused());
    paused.shell.keyDown(VkSpace, false);
    EXPECT_FALSE(paused.shell.paused());
    paused.finish();

    // While paused the channels were silenced and nothing else was sent.
    std::vector<CapturePort::Message> duringPause;
    std::vector<CapturePort::Message> rest;
    for (const CapturePort::Message& m : paused.port.messages()) {
        (m.tick > pausedAt && m.tick < pausedAt + PauseLength ? duringPause : rest).push_back(m);
    }
    EXPECT_EQ(duringPause.size(), 16u);
    EXPECT_EQ(test::CountAllSoundOff(duringPause), 16);

    // The rest is the unpaused run, message for message, those after the pause 3 s later.
    std::vector<CapturePort::Message> expected = plain.port.messages();
    for (CapturePort::Message& m : expected) {
        if (m.tick > pausedAt) {
            m.tick += PauseLength;
        }
    }
    EXPECT_EQ(rest, expected);
    EXPECT_GT(test::CountNoteOns(rest, 0), 0); // the presses sounded

    const JudgeTally& a = plain.game.tally();
    const JudgeTally& b = paused.game.tally();
    EXPECT_EQ(a.bad(), 1);
    EXPECT_EQ(a.perfect() + a.great() + a.good() + a.ok(), 3);
    EXPECT_EQ(b.perfect(), a.perfect());
    EXPECT_EQ(b.great(), a.great());
    EXPECT_EQ(b.good(), a.good());
    EXPECT_EQ(b.ok(), a.ok());
    EXPECT_EQ(b.bad(), a.bad());
}

} // namespace
} // namespace tf

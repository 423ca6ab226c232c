// The play loop as the game window runs it, for a while on the real clock: the pump, the play
// frame drawing into the window's back buffer, and a window thread that copies the picture out
// 60 times a second. Prints the play thread's and the whole process's CPU time as a share of
// one core, drawing every frame and drawing only once the window has shown the last picture.
//
//   tf_play_loop_cpu [--seconds N] [--mode every|shown|both] [FILE.mid]
//
// Without a file it plays the benchmarks' dense song. The song plays under AUTO PLAY into an
// output that drops every message, so only the loop's own work is measured.

#include "game/GamePlay.h"
#include "platform/SystemClock.h"
#include "tests/bench/BenchKeys.h"
#include "tests/bench/BenchRig.h"
#include "tests/bench/DenseSong.h"
#include "tests/bench/qt/QtBenchWindow.h"

#include <QPainter>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace tf::bench {

namespace {

double CpuSeconds(clockid_t which) {
    timespec now{};
    clock_gettime(which, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Share {
    double playThread = 0;
    double process = 0;
    long frames = 0;
    long drawn = 0;
    long shown = 0;
};

/// Copies the back buffer out at 60 Hz under its lock, as the window's paint handler does.
class Display {
public:
    Display(BackBuffer& buffer, GamePlay& game)
        : buffer(buffer), game(game), screen(buffer.image().size(), QImage::Format_RGB32) {}

    void run(const std::atomic<bool>& stop) {
        auto next = std::chrono::steady_clock::now();
        while (!stop.load(std::memory_order_acquire)) {
            next += std::chrono::microseconds(16667);
            std::this_thread::sleep_until(next);
            std::lock_guard lock(buffer.mutex());
            QPainter painter(&screen);
            painter.drawImage(0, 0, buffer.image());
            game.notePictureShown();
            ++shown;
        }
    }
    long shown = 0;

private:
    BackBuffer& buffer;
    GamePlay& game;
    QImage screen;
};

Share Measure(double seconds, bool onlyWhenShown, const std::string& path) {
    SystemClock clock;
    QtBenchWindow window;
    IdleKeys keys;
    BenchRig rig(clock, window.buffer(), keys);
    GamePlay& game = rig.game;
    game.setMainBitmap(&window.background());
    const LoadResult loaded =
        path.empty() ? game.loadBytes(MakeDenseSong().bytes, "dense.mid") : game.load(path);
    if (loaded == LoadResult::Failed ||
        game.buildChart(path.empty() ? denseSongPlayerParts : 0xFFFFu) == ChartResult::Overflow) {
        std::fprintf(stderr, "the song did not load into an accepted chart\n");
        std::exit(1);
    }
    game.options().setAutoPlay(true);
    game.setSurfaceLock(&window.buffer().mutex());
    game.setDrawOnlyWhenShown(onlyWhenShown);
    game.resetForPlay();

    Display display(window.buffer(), game);
    std::atomic<bool> stop{false};
    std::thread windowThread([&] { display.run(stop); });

    Share share;
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double threadStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (!game.pumpGame()) {
            game.resetForPlay();
            continue;
        }
        ++share.frames;
        if (game.playFrame()) {
            ++share.drawn;
        }
    }
    share.playThread = (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart) / seconds;
    stop.store(true, std::memory_order_release);
    windowThread.join();
    share.process = (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart) / seconds;
    share.shown = display.shown;
    return share;
}

void Print(const char* mode, const Share& share, double seconds) {
    std::printf("%-28s play thread %5.1f %%   process %5.1f %%   frames/s %6.0f   pictures drawn/s %6.0f"
                "   shown/s %4.0f\n",
                mode, share.playThread * 100.0, share.process * 100.0,
                static_cast<double>(share.frames) / seconds, static_cast<double>(share.drawn) / seconds,
                static_cast<double>(share.shown) / seconds);
}

} // namespace

} // namespace tf::bench

int main(int argc, char** argv) {
    const auto application = tf::bench::StartQt(argc, argv);
    double seconds = 20;
    std::string mode = "both";
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else if (argument == "--mode" && i + 1 < argc) {
            mode = argv[++i];
        } else {
            path = argument;
        }
    }
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: %s [--seconds N] [--mode every|shown|both] [FILE.mid]\n", argv[0]);
        return 2;
    }
    std::printf("play loop under AUTO PLAY for %.0f s, the window copying 60 pictures a second\n", seconds);
    if (mode == "every" || mode == "both") {
        tf::bench::Print("drawing every frame", tf::bench::Measure(seconds, false, path), seconds);
    }
    if (mode == "shown" || mode == "both") {
        tf::bench::Print("drawing at the display's pace", tf::bench::Measure(seconds, true, path), seconds);
    }
    return 0;
}

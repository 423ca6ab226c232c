// What the game window's paint costs at the zooms and in full screen: the copy out of the back
// buffer under its lock (what the play thread can be kept waiting for), the scaling of that copy
// into an image of the window's size, and a whole repaint of the canvas as Qt does it (into the
// window's backing store and out to the display). Prints figures; it judges nothing.
//
//   tf_canvas_paint [--paints N]
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise; under xvfb-run with
// QT_QPA_PLATFORM=xcb the repaint includes the transfer to the X server.

#include "app/qt/GameCanvas.h"
#include "app/screens/ClientArea.h"
#include "tests/bench/qt/QtBenchWindow.h"

#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string_view>
#include <vector>

namespace tf::bench {

namespace {

/// Milliseconds of CPU the process has used, Qt's helper threads for smooth scaling included: on
/// a machine shared with other work the wall clock also counts the time spent waiting for a core.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

struct Figures {
    double cpuMedian = 0;
    double cpuP95 = 0;
    double wallMedian = 0;
};

template <typename Step> Figures Measure(int count, Step step) {
    step(); // the first paint allocates what the others reuse
    std::vector<double> cpu;
    std::vector<double> wall;
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        const double before = ThreadCpuMs();
        timer.start();
        step();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(ThreadCpuMs() - before);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    return {cpu[cpu.size() / 2], cpu[cpu.size() * 95 / 100], wall[wall.size() / 2]};
}

void Print(const char* what, const Figures& f) {
    std::printf("  %-30s CPU median %6.3f ms  p95 %6.3f ms   wall median %6.3f ms\n", what, f.cpuMedian,
                f.cpuP95, f.wallMedian);
}

void Run(const char* name, const ViewMode& mode, int width, int height, BackBuffer& buffer, int paints) {
    std::printf("%s: %d x %d\n", name, width, height);
    const PicturePlacement placement = PlacePicture(mode, width, height);
    QImage copy(ClientWidth, ClientHeight, QImage::Format_RGB32);
    Print("copy under the lock", Measure(paints, [&] {
              std::lock_guard lock(buffer.mutex());
              for (int y = 0; y < ClientHeight; ++y) {
                  std::memcpy(copy.scanLine(y), buffer.image().constScanLine(y), ClientWidth * sizeof(QRgb));
              }
          }));
    QImage window(width, height, QImage::Format_RGB32);
    Print(placement.smooth ? "scaling, smooth" : "scaling, whole pixels", Measure(paints, [&] {
              QPainter painter(&window);
              PaintPicture(painter, copy, placement, width, height);
          }));
    GameCanvas canvas(buffer, nullptr);
    canvas.setMinimumSize(0, 0);
    canvas.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    canvas.resize(width, height);
    canvas.setViewMode(mode);
    canvas.show();
    QApplication::processEvents();
    Print("whole repaint of the canvas", Measure(paints, [&] { canvas.repaint(); }));
}

} // namespace

} // namespace tf::bench

int main(int argc, char** argv) {
    const auto application = tf::bench::StartQt(argc, argv);
    int paints = 300;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--paints") {
            paints = std::max(10, std::atoi(argv[i + 1]));
        }
    }
    tf::bench::QtBenchWindow bench;
    {
        std::lock_guard lock(bench.buffer().mutex());
        bench.buffer().blit(&bench.background(), 0, 0, tf::ClientWidth, tf::ClientHeight, 0, 0);
    }
    std::printf("Qt platform: %s, %d paints each\n", qPrintable(QGuiApplication::platformName()), paints);
    tf::bench::Run("x1", {tf::Zoom::X1, false}, 634, 436, bench.buffer(), paints);
    tf::bench::Run("x1.5", {tf::Zoom::X1_5, false}, 951, 654, bench.buffer(), paints);
    tf::bench::Run("x3", {tf::Zoom::X3, false}, 1902, 1308, bench.buffer(), paints);
    tf::bench::Run("full screen", {tf::Zoom::X1, true}, 1920, 1080, bench.buffer(), paints);
    return 0;
}

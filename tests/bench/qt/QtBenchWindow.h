#pragma once

#include "app/qt/BackBuffer.h"
#include "app/qt/QtBitmap.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace tf::bench {

/// What the game window gives the play frame to draw on: a back buffer of the client area's
/// size and a background picture of the window's size. The application object must exist.
class QtBenchWindow {
public:
    QtBenchWindow();
    ~QtBenchWindow();
    QtBenchWindow(const QtBenchWindow&) = delete;
    QtBenchWindow& operator=(const QtBenchWindow&) = delete;

    BackBuffer& buffer() { return backBuffer; }
    const QtBitmap& background() const { return *picture; }

private:
    QWidget window;
    BackBuffer backBuffer;
    std::unique_ptr<QtBitmap> picture;
};

/// Starts Qt on the offscreen platform unless a platform was chosen.
std::unique_ptr<QApplication> StartQt(int& argc, char** argv);

} // namespace tf::bench

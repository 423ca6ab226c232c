#include "tests/bench/qt/QtBenchWindow.h"

#include "app/screens/ClientArea.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace tf::bench {

namespace {

/// A background with as many colours as a drawn one, so that nothing copies it cheaper.
QImage Background() {
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            row[x] = qRgb(x % 256, y % 256, (x + y) % 256);
        }
    }
    return picture;
}

} // namespace

QtBenchWindow::QtBenchWindow() : picture(std::make_unique<QtBitmap>(Background())) {
    window.setFixedSize(ClientWidth, ClientHeight);
    backBuffer.attach(&window);
    backBuffer.create();
}

QtBenchWindow::~QtBenchWindow() {
    backBuffer.destroy();
}

std::unique_ptr<QApplication> StartQt(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace tf::bench

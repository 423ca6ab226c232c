#pragma once

#include "platform/Surface.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace tf::test {

/// Owns the one application object of the test program. It is made on demand and destroyed
/// when the tests are over, before the program's exit, which Qt does not survive.
class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void ensure() {
        if (QCoreApplication::instance() != nullptr) {
            return;
        }
        if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app.emplace(argc, argv.data());
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[12] = "tf_qt_tests";
    std::array<char*, 2> argv{name, nullptr};
    std::optional<QApplication> app;
};

/// GoogleTest takes ownership of the environment and calls its TearDown after the last test.
inline QtApplicationEnvironment* const QtEnvironment = static_cast<QtApplicationEnvironment*>(
    ::testing::AddGlobalTestEnvironment(std::make_unique<QtApplicationEnvironment>().release()));

/// The application object, on Qt's offscreen platform unless the environment chose another.
inline void EnsureQtApplication() {
    QtEnvironment->ensure();
}

/// Declared first in a fixture, so the application exists before any widget member.
struct QtApplicationFirst {
    QtApplicationFirst() { EnsureQtApplication(); }
};

/// Saves `picture` as pixel-failures/<suite>.<test>.png under the working directory (the
/// build tree when run by CTest) and returns the path written.
inline std::string SaveFailedPicture(const QImage& picture, const char* suffix = "") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QDir dir = QDir::current();
    dir.mkpath(QStringLiteral("pixel-failures"));
    const QString name = QStringLiteral("%1.%2%3.png")
                             .arg(QString::fromUtf8(info->test_suite_name()), QString::fromUtf8(info->name()),
                                  QString::fromUtf8(suffix));
    const QString path = dir.filePath(QStringLiteral("pixel-failures/") + name);
    picture.save(path, "PNG");
    return path.toStdString();
}

inline QRgb Pixel(Colour colour) {
    return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

/// The smallest rectangle inside `area` holding every pixel for which `ink` is true; empty
/// when there is none.
template <typename Ink> QRect InkBounds(const QImage& picture, const QRect& area, Ink ink) {
    QRect bounds;
    const QRect clipped = area.intersected(picture.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (ink(picture.pixel(x, y))) {
                bounds = bounds.united(QRect(x, y, 1, 1));
            }
        }
    }
    return bounds;
}

/// Pixels that differ from `background`.
inline auto NotColour(Colour background) {
    return [pixel = Pixel(background)](QRgb p) { return (p | 0xFF000000u) != pixel; };
}

} // namespace tf::test

#include "app/qt/ThreeHalves.h"

#include <cstdint>

namespace tf {

namespace {

/// The mean of two pixels, channel by channel, rounded down.
constexpr QRgb Mean(QRgb a, QRgb b) {
    return (a & b) + (((a ^ b) & 0xFEFEFEFEu) >> 1);
}

/// A row of `width` pixels, three for each two.
void WidenRow(const QRgb* source, int width, QRgb* out) {
    for (int x = 0; x < width; x += 2) {
        const QRgb a = source[x];
        const QRgb b = source[x + 1];
        *out++ = a;
        *out++ = Mean(a, b);
        *out++ = b;
    }
}

} // namespace

bool ScaleThreeHalves(const QImage& picture, int width, int height, QImage& scaled) {
    if (picture.format() != QImage::Format_RGB32 || width <= 0 || height <= 0 || width % 2 != 0 ||
        height % 2 != 0 || picture.width() < width || picture.height() < height) {
        return false;
    }
    const int outWidth = width / 2 * 3;
    const int outHeight = height / 2 * 3;
    if (scaled.size() != QSize(outWidth, outHeight) || scaled.format() != QImage::Format_RGB32) {
        scaled = QImage(outWidth, outHeight, QImage::Format_RGB32);
    }
    for (int y = 0; y < height; y += 2) {
        const int out = y / 2 * 3;
        auto* top = reinterpret_cast<QRgb*>(scaled.scanLine(out));
        auto* middle = reinterpret_cast<QRgb*>(scaled.scanLine(out + 1));
        auto* bottom = reinterpret_cast<QRgb*>(scaled.scanLine(out + 2));
        WidenRow(reinterpret_cast<const QRgb*>(picture.constScanLine(y)), width, top);
        WidenRow(reinterpret_cast<const QRgb*>(picture.constScanLine(y + 1)), width, bottom);
        for (int x = 0; x < outWidth; ++x) {
            middle[x] = Mean(top[x], bottom[x]);
        }
    }
    return true;
}

} // namespace tf

#include "app/qt/Drawing.h"

#include "app/qt/QtPath.h"

#include <QFileDialog>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tf {

namespace {

QRgb ToPixel(Colour colour) {
    return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

// Bounds come in as int from anywhere; widening first keeps every sum and difference exact.
void FillClipped(QImage& destination, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom, QRgb pixel) {
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, destination.width());
    bottom = std::min<std::int64_t>(bottom, destination.height());
    if (left >= right || top >= bottom) {
        return;
    }
    for (auto y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(destination.scanLine(static_cast<int>(y)));
        std::fill(row + left, row + right, pixel);
    }
}

} // namespace

QColor ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QFont MakeFont(FontFace face, int height) {
    QFont font;
    switch (face) {
    case FontFace::Gothic:
        font.setFamily(QStringLiteral("IPAGothic"));
        font.setWeight(QFont::Normal);
        break;
    case FontFace::PGothic:
        font.setFamily(QStringLiteral("IPAPGothic"));
        font.setWeight(QFont::Normal);
        break;
    case FontFace::Default:
        font.setFamily(QStringLiteral("IPAGothic"));
        font.setWeight(QFont::Bold);
        height = DefaultFontHeight;
        break;
    }
    font.setStyleHint(QFont::SansSerif);
    font.setKerning(false);
    // The height is the whole cell, ascent plus descent, as the classic font interface takes a
    // positive height; Qt's pixel size is the em, which these faces exceed by about 8 %.
    height = std::max(height, 1);
    font.setPixelSize(height);
    const QFontMetricsF metrics(font);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > height) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * height / cell))));
    }
    return font;
}

std::unique_ptr<Bitmap> LoadBitmapFile(const QString& fileName) {
    QImage picture;
    if (fileName.isEmpty() || !picture.load(fileName) || picture.isNull()) {
        return nullptr;
    }
    return std::make_unique<QtBitmap>(picture);
}

void FillRect(QImage& destination, int left, int top, int right, int bottom, Colour colour) {
    if (destination.format() != QImage::Format_RGB32) {
        return;
    }
    FillClipped(destination, left, top, right, bottom, ToPixel(colour));
}

void BlitBitmap(QImage& destination, const Bitmap* bitmap, int x, int y, int width, int height, int sourceX,
                int sourceY) {
    const auto* source = dynamic_cast<const QtBitmap*>(bitmap);
    if (source == nullptr || destination.format() != QImage::Format_RGB32) {
        return;
    }
    const QImage& from = source->image();
    // Offsets k into the requested region, kept where both the destination and source exist.
    const std::int64_t x0 = std::max<std::int64_t>({0, -std::int64_t{x}, -std::int64_t{sourceX}});
    const std::int64_t x1 = std::min<std::int64_t>(
        {width, std::int64_t{destination.width()} - x, std::int64_t{from.width()} - sourceX});
    const std::int64_t y0 = std::max<std::int64_t>({0, -std::int64_t{y}, -std::int64_t{sourceY}});
    const std::int64_t y1 = std::min<std::int64_t>(
        {height, std::int64_t{destination.height()} - y, std::int64_t{from.height()} - sourceY});
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    for (auto k = y0; k < y1; ++k) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(static_cast<int>(sourceY + k)));
        auto* out = reinterpret_cast<QRgb*>(destination.scanLine(static_cast<int>(y + k)));
        std::copy(in + sourceX + x0, in + sourceX + x1, out + x + x0);
    }
}

void DrawBox(QImage& destination, int left, int top, int right, int bottom, int penWidth, Colour penColour,
             Colour brushColour) {
    if (destination.format() != QImage::Format_RGB32) {
        return;
    }
    std::int64_t l = std::min(left, right);
    std::int64_t r = std::max(left, right);
    std::int64_t t = std::min(top, bottom);
    std::int64_t b = std::max(top, bottom);
    if (l == r || t == b) {
        return;
    }
    // The outline runs through the outermost pixels of the box, (l, t) to (r - 1, b - 1); a pen
    // of w pixels covers w / 2 pixels outside that line and the rest on and inside it.
    const std::int64_t w = std::clamp(penWidth, 1, 1 << 16);
    const std::int64_t outside = w / 2;
    const std::int64_t inside = w - 1 - outside;
    FillClipped(destination, l - outside, t - outside, r + inside, b + inside, ToPixel(penColour));
    FillClipped(destination, l + inside + 1, t + inside + 1, r - 1 - outside, b - 1 - outside,
                ToPixel(brushColour));
}

bool ChooseMidiFile(QWidget* owner, std::filesystem::path& path, const std::filesystem::path& folder,
                    const ChooserTexts& texts) {
    QFileDialog dialog(owner, texts.title, QStringFromPath(folder));
    if (!texts.midiFiles.isEmpty()) {
        dialog.setNameFilters({texts.midiFiles, texts.allFiles});
    }
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("mid"));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) {
        return false;
    }
    path = PathFromQString(chosen.front());
    return true;
}

} // namespace tf

#pragma once

#include "platform/Surface.h"

#include <QImage>

namespace tf {

/// A picture held in a QImage of 32-bit RGB pixels, the back buffer's own format, so that a
/// blit copies rows without converting them.
class QtBitmap final : public Bitmap {
public:
    explicit QtBitmap(const QImage& picture) : picture(picture.convertToFormat(QImage::Format_RGB32)) {}
    int width() const override { return picture.width(); }
    int height() const override { return picture.height(); }
    const QImage& image() const { return picture; }

private:
    QImage picture;
};

} // namespace tf

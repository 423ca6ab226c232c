#pragma once

#include "platform/Surface.h"
#include "platform/win32/WinApi.h"

namespace tf {

/// A GDI bitmap loaded from a file; deleted with the object.
class GdiBitmap final : public Bitmap {
public:
    /// Takes ownership of `bitmap`, which must not be null.
    explicit GdiBitmap(HBITMAP bitmap);
    ~GdiBitmap() override;
    GdiBitmap(const GdiBitmap&) = delete;
    GdiBitmap& operator=(const GdiBitmap&) = delete;

    int width() const override { return size.cx; }
    int height() const override { return size.cy; }
    HBITMAP handle() const { return bitmap; }

private:
    HBITMAP bitmap;
    SIZE size{};
};

} // namespace tf

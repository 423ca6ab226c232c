#pragma once

#include "platform/Surface.h"
#include "platform/win32/FontChoice.h"
#include "platform/win32/WinApi.h"

#include <mutex>

namespace tf {

/// The off-screen picture every screen is drawn into: a memory device context holding a bitmap
/// one pixel wider and taller than the window's client area. The window's paint handler copies
/// it out. Text alignment and colour are the context's own and persist between drawing steps;
/// text is drawn without a background.
///
/// Nothing here locks: whoever draws holds `mutex()` for a whole frame or screen, and the paint
/// handler holds it while it copies from `memoryDc()`. Before `attach` and `create`, and after
/// `destroy`, every drawing operation does nothing.
class GdiBackBuffer final : public Surface {
public:
    GdiBackBuffer() = default;
    ~GdiBackBuffer() override;
    GdiBackBuffer(const GdiBackBuffer&) = delete;
    GdiBackBuffer& operator=(const GdiBackBuffer&) = delete;

    /// The window whose client area the picture stands for.
    void attach(HWND window);
    /// Makes the memory context and its (client width + 1) x (client height + 1) bitmap from the
    /// window's context, and clears it. Does nothing when the picture exists already.
    void create();
    /// The same for a client area of `width` x `height`, whatever the window's size: the window
    /// may show the picture scaled.
    void create(int width, int height);
    /// Fills the client-sized area with white; the extra column and row are left as they are.
    void clear();
    /// Puts the context's first bitmap back and deletes the context and the picture.
    void destroy();

    HWND window() const { return window_; }
    HDC memoryDc() const { return memoryDc_; }
    HBITMAP bitmap() const { return bitmap_; }
    std::mutex& mutex() { return lock; }

    /// The client area's size in pixels; 0 before `create`.
    int width() const override { return clientWidth; }
    int height() const override { return clientHeight; }
    void fill(int left, int top, int right, int bottom, Colour colour) override;
    /// Draws only bitmaps loaded by `LoadBitmapFile`; any other kind draws nothing.
    void blit(const Bitmap* bitmap, int x, int y, int w, int h, int sx, int sy) override;
    void box(int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush) override;
    void setTextAlign(TextAlign align) override;
    void setTextColour(Colour colour) override;
    /// `FontFace::Default` draws in the context's own font; the others make a font for the call,
    /// of the gothic face or, where the system lacks it, of the one `create` chose instead.
    void text(FontFace face, int height, int x, int y, std::string_view utf8) override;

private:
    HWND window_ = nullptr;
    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    Colour background = 0xFFFFFF;
    int clientWidth = 0;
    int clientHeight = 0;
    FontRequest gothic;
    FontRequest pGothic;
    std::mutex lock;
};

} // namespace tf

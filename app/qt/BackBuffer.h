#pragma once

#include "platform/Surface.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <mutex>

namespace tf {

/// The off-screen picture every screen is drawn into; the window's paint handler copies it out.
/// It is one pixel wider and taller than the client area; `clear` paints the client area only.
/// Text alignment and colour persist from one call to the next, and text has no background.
///
/// Nothing here locks: whoever draws holds `mutex()` for a whole frame or screen, and the paint
/// handler holds it while it copies `image()`. Before `attach` and `create`, and after
/// `destroy`, every operation does nothing.
class BackBuffer final : public Surface {
public:
    /// The window whose client area the picture stands for.
    void attach(QWidget* window);
    /// Makes the picture at the attached window's size plus one pixel each way, white.
    void create();
    /// Makes the picture for a client area of `width` x `height`, whatever the window's size:
    /// the window may show it scaled.
    void create(int width, int height);
    /// Fills the client-sized area with white; the extra column and row are left as they are.
    void clear();
    /// Drops the picture.
    void destroy();

    std::mutex& mutex() { return lock; }
    const QImage& image() const { return picture; }
    QWidget* window() const { return window_; }

    /// The client area's size in pixels; 0 before `create`.
    int width() const override { return clientWidth; }
    int height() const override { return clientHeight; }
    void fill(int left, int top, int right, int bottom, Colour colour) override;
    void blit(const Bitmap* bitmap, int x, int y, int w, int h, int sx, int sy) override;
    void box(int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush) override;
    void setTextAlign(TextAlign align) override { textAlign = align; }
    void setTextColour(Colour colour) override { textColour = colour; }
    void text(FontFace face, int height, int x, int y, std::string_view utf8) override;

private:
    QPointer<QWidget> window_;
    QImage picture;
    int clientWidth = 0;
    int clientHeight = 0;
    Colour background = 0xFFFFFF;
    TextAlign textAlign = TextAlign::Left;
    Colour textColour = 0x000000;
    std::mutex lock;
};

} // namespace tf

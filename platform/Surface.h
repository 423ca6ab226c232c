#pragma once

#include <cstdint>
#include <string_view>

namespace tf {

/// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}
constexpr std::uint8_t RedOf(Colour c) {
    return static_cast<std::uint8_t>(c);
}
constexpr std::uint8_t GreenOf(Colour c) {
    return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t BlueOf(Colour c) {
    return static_cast<std::uint8_t>(c >> 16);
}

/// Where a text's reference point lies: the top-left corner, or the middle of the top edge.
enum class TextAlign { Left, Centre };

/// The faces the game draws with. `Gothic` is the fixed-pitch Japanese gothic face, `PGothic`
/// the proportional one; `Default` is the surface's own face, used when no font is chosen.
enum class FontFace { Gothic, PGothic, Default };

/// A picture loaded from a file, owned by whoever loaded it.
class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

/// The off-screen picture that every screen is drawn into. Like a device context, it keeps its
/// text alignment and text colour from one drawing step to the next; text has no background.
class Surface {
public:
    virtual ~Surface() = default;
    /// Client-area size in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;
    /// Fills [left, right) x [top, bottom) with `colour`.
    virtual void fill(int left, int top, int right, int bottom, Colour colour) = 0;
    /// Copies the `w` x `h` region of `bitmap` at (sx, sy) to (x, y), clipped at both edges.
    /// A null bitmap draws nothing.
    virtual void blit(const Bitmap* bitmap, int x, int y, int w, int h, int sx, int sy) = 0;
    /// A rectangle outlined with a pen of `penWidth` (0 draws one pixel) and filled with
    /// `brush`; with equal colours it covers [left, right) x [top, bottom).
    virtual void box(int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush) = 0;
    virtual void setTextAlign(TextAlign align) = 0;
    virtual void setTextColour(Colour colour) = 0;
    /// One line of UTF-8 text in `face` at `height` pixels (0 with `FontFace::Default`), its
    /// reference point at (x, y), y being the top of the text.
    virtual void text(FontFace face, int height, int x, int y, std::string_view utf8) = 0;
};

/// A surface that draws nothing, for runs without a window.
class NullSurface final : public Surface {
public:
    NullSurface(int w = 634, int h = 436) : w(w), h(h) {}
    int width() const override { return w; }
    int height() const override { return h; }
    void fill(int, int, int, int, Colour) override {}
    void blit(const Bitmap*, int, int, int, int, int, int) override {}
    void box(int, int, int, int, int, Colour, Colour) override {}
    void setTextAlign(TextAlign) override {}
    void setTextColour(Colour) override {}
    void text(FontFace, int, int, int, std::string_view) override {}

private:
    int w;
    int h;
};

} // namespace tf

#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tf {

/// How many times its own size the window shows the 634 x 436 picture. The picture itself is
/// always drawn at its own size; only the copy to the window is scaled.
enum class Zoom { X1, X1_5, X2, X3 };

inline constexpr std::array<Zoom, 4> AllZooms = {Zoom::X1, Zoom::X1_5, Zoom::X2, Zoom::X3};

double ZoomFactor(Zoom zoom);
/// "1", "1.5", "2" or "3": how the settings file writes a zoom.
std::string_view ZoomText(Zoom zoom);
/// The zoom a settings file names; nothing for any other text.
std::optional<Zoom> ZoomFromText(std::string_view text);
/// The View menu command of a zoom, and the zoom of a command (nothing for other commands).
int ZoomCommand(Zoom zoom);
std::optional<Zoom> ZoomOfCommand(int command);

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

/// The client area at `zoom`: the picture times the factor (951 x 654 at x1.5).
PixelSize ZoomedSize(Zoom zoom);

/// The zoom of a first start: the largest whose window (client area plus `decorationHeight`, the
/// caption, menu bar and frame) is at most 70 % of the screen's available height. Both heights
/// are in the desktop's own units, physical pixels divided by its scale factor, so a 2160-line
/// screen at 200 % counts as 1080 lines. x1 when even that does not fit.
Zoom StartZoom(int availableHeight, int decorationHeight);

/// The room a screen gives the window, in the desktop's own units (physical pixels divided by
/// its scale factor): the screen's size without panels and task bars, and what the window adds
/// to its client area (caption, menu bar, frame).
struct ScreenRoom {
    int availableHeight = 0;
    int decorationHeight = 0;
    int availableWidth = 0;
    int decorationWidth = 0;
};

/// Whether the window at `zoom` fits the screen's available area. x1 always does: there is
/// nothing smaller to offer. A room of no known width or height (0) takes any zoom.
bool ZoomFits(Zoom zoom, const ScreenRoom& room);
/// The zooms the View menu offers, in the order of `AllZooms`: those that fit.
std::array<bool, AllZooms.size()> OfferedZooms(const ScreenRoom& room);
/// `zoom` when it fits, else the largest smaller one that does.
Zoom FittingZoom(Zoom zoom, const ScreenRoom& room);

/// What the window shows: a zoom, or the whole screen. Leaving full screen goes back to the zoom.
struct ViewMode {
    Zoom zoom = Zoom::X1;
    bool fullScreen = false;
    /// Full screen fills the screen's height or width smoothly scaled, instead of the largest
    /// whole factor that fits.
    bool smoothFill = false;
    bool operator==(const ViewMode&) const = default;
};

/// Where in an area of `areaWidth` x `areaHeight` the picture goes, and how it is scaled; the
/// rest of the area is black.
struct PicturePlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    /// Smooth (filtered) scaling; otherwise every picture pixel becomes a block of whole pixels.
    bool smooth = false;
    bool operator==(const PicturePlacement&) const = default;
};

/// Full screen: the picture at the largest whole factor of screen pixels that fits the area,
/// pixel for pixel, centred; with `smoothFill`, or on an area smaller than the picture, the
/// largest size of its shape that fits, smoothly. Zoomed: the zoomed size, centred (the window's
/// client area normally is exactly that); integer factors scale pixel for pixel, x1.5 smoothly.
/// `devicePixelRatio` is the desktop's scale factor, which multiplies the factor on the physical
/// screen.
PicturePlacement PlacePicture(const ViewMode& mode, int areaWidth, int areaHeight,
                              double devicePixelRatio = 1.0);

} // namespace tf

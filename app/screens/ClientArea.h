#pragma once

namespace tf {

/// The client area of the game window: what a 640 x 480 window with a caption, a menu bar and
/// a fixed border leaves inside on classic window metrics. Every drawing and asset uses it.
inline constexpr int ClientWidth = 634;
inline constexpr int ClientHeight = 436;

} // namespace tf

#pragma once

#include "platform/Surface.h"
#include "platform/win32/FontChoice.h"
#include "platform/win32/GdiBitmap.h"
#include "platform/win32/WinApi.h"

#include <filesystem>
#include <memory>
#include <string_view>

namespace tf {

/// The Japanese gothic faces by their Windows names: fixed pitch and proportional.
inline constexpr std::wstring_view GothicFace = L"ＭＳ ゴシック";
inline constexpr std::wstring_view PGothicFace = L"ＭＳ Ｐゴシック";

/// A new font of the requested face and character set, `height` pixels high (cell height),
/// normal weight, proof quality, fixed pitch modern family, level text. The caller deletes it.
HFONT MakeFont(const FontRequest& request, int height);

/// The bitmap file `file` (relative to the working directory) at its own size when `width` and
/// `height` are 0; null when it cannot be loaded.
std::unique_ptr<GdiBitmap> LoadBitmapFile(HWND window, const std::filesystem::path& file, int width = 0,
                                          int height = 0);

/// Copies the `width` x `height` region at (sourceX, sourceY) of `bitmap` to (x, y) of
/// `destination`; a null bitmap draws nothing.
void BlitBitmap(HDC destination, HBITMAP bitmap, int x, int y, int width, int height, int sourceX,
                int sourceY);

/// A rectangle outlined with a solid pen of `penWidth` (0: one pixel) and filled with `brush`.
void DrawBox(HDC dc, int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush);

} // namespace tf

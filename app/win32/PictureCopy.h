#pragma once

#include "app/settings/ViewMode.h"
#include "platform/win32/WinApi.h"

namespace tf {

/// A copy of the back buffer's picture that the paint handler scales to the window after letting
/// go of the back buffer's lock, so the play thread never waits for the scaling.
class PictureCopy {
public:
    PictureCopy() = default;
    ~PictureCopy();
    PictureCopy(const PictureCopy&) = delete;
    PictureCopy& operator=(const PictureCopy&) = delete;

    /// Makes a `width` x `height` picture compatible with `window`'s screen.
    void create(HWND window, int width, int height);
    /// Copies the top-left `width` x `height` of `source` (one block transfer).
    void copyFrom(HDC source);
    /// Draws the copy onto `target` as `placement` says (HALFTONE for smooth scaling, whole
    /// pixels otherwise), with black around it in an area of `areaWidth` x `areaHeight`.
    void showOn(HDC target, const PicturePlacement& placement, int areaWidth, int areaHeight) const;

private:
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    int width = 0;
    int height = 0;
};

} // namespace tf

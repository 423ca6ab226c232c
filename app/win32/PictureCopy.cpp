#include "app/win32/PictureCopy.h"

namespace tf {

PictureCopy::~PictureCopy() {
    if (dc != nullptr) {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

void PictureCopy::create(HWND window, int w, int h) {
    if (dc != nullptr) {
        return;
    }
    HDC windowDc = GetDC(window);
    dc = CreateCompatibleDC(windowDc);
    bitmap = CreateCompatibleBitmap(windowDc, w, h);
    ReleaseDC(window, windowDc);
    previous = SelectObject(dc, bitmap);
    width = w;
    height = h;
}

void PictureCopy::copyFrom(HDC source) {
    if (dc != nullptr) {
        BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
}

void PictureCopy::showOn(HDC target, const PicturePlacement& p, int areaWidth, int areaHeight) const {
    // Only the bands the picture leaves free are painted black.
    PatBlt(target, 0, 0, areaWidth, p.y, BLACKNESS);
    PatBlt(target, 0, p.y + p.height, areaWidth, areaHeight - p.y - p.height, BLACKNESS);
    PatBlt(target, 0, p.y, p.x, p.height, BLACKNESS);
    PatBlt(target, p.x + p.width, p.y, areaWidth - p.x - p.width, p.height, BLACKNESS);
    if (dc == nullptr) {
        return;
    }
    SetStretchBltMode(target, p.smooth ? HALFTONE : COLORONCOLOR);
    // HALFTONE needs the brush origin set again after the mode is.
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, p.x, p.y, p.width, p.height, dc, 0, 0, width, height, SRCCOPY);
}

} // namespace tf

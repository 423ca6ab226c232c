#include "platform/win32/GdiDrawing.h"

#include <string>

namespace tf {

HFONT MakeFont(const FontRequest& request, int height) {
    // CreateFontW copies at most 31 characters of the face and needs them NUL-terminated.
    const std::wstring face(request.face.substr(0, LF_FACESIZE - 1));
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, request.charSet, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str());
}

std::unique_ptr<GdiBitmap> LoadBitmapFile(HWND window, const std::filesystem::path& file, int width,
                                          int height) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    HANDLE image = LoadImageW(instance, file.c_str(), IMAGE_BITMAP, width, height, LR_LOADFROMFILE);
    if (image == nullptr) {
        return nullptr;
    }
    return std::make_unique<GdiBitmap>(static_cast<HBITMAP>(image));
}

void BlitBitmap(HDC destination, HBITMAP bitmap, int x, int y, int width, int height, int sourceX,
                int sourceY) {
    if (bitmap == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(destination);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(destination, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
    // The bitmap goes back out first, so its owner can delete it while this context is gone.
    SelectObject(source, previous);
    DeleteDC(source);
}

void DrawBox(HDC dc, int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush) {
    HPEN outline = CreatePen(PS_SOLID, penWidth, pen);
    HGDIOBJ previousPen = SelectObject(dc, outline);
    HBRUSH inside = CreateSolidBrush(brush);
    HGDIOBJ previousBrush = SelectObject(dc, inside);
    Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(outline);
    DeleteObject(inside);
}

} // namespace tf

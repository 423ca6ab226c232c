#include "platform/win32/GdiBackBuffer.h"

#include "platform/win32/GdiBitmap.h"
#include "platform/win32/GdiDrawing.h"
#include "platform/win32/WideText.h"

namespace tf {

GdiBackBuffer::~GdiBackBuffer() {
    destroy();
}

void GdiBackBuffer::attach(HWND window) {
    window_ = window;
}

void GdiBackBuffer::create() {
    RECT client{};
    GetClientRect(window_, &client);
    create(client.right - client.left, client.bottom - client.top);
}

void GdiBackBuffer::create(int width, int height) {
    if (memoryDc_ != nullptr) {
        return;
    }
    clientWidth = width;
    clientHeight = height;
    HDC windowDc = GetDC(window_);
    memoryDc_ = CreateCompatibleDC(windowDc);
    bitmap_ = CreateCompatibleBitmap(windowDc, clientWidth + 1, clientHeight + 1);
    ReleaseDC(window_, windowDc);
    previousBitmap = SelectObject(memoryDc_, bitmap_);
    gothic = ChooseFontFace(memoryDc_, GothicFace, true);
    pGothic = ChooseFontFace(memoryDc_, PGothicFace, false);
    background = 0xFFFFFF;
    clear();
}

void GdiBackBuffer::clear() {
    fill(0, 0, clientWidth, clientHeight, background);
}

void GdiBackBuffer::destroy() {
    if (memoryDc_ == nullptr) {
        return;
    }
    SelectObject(memoryDc_, previousBitmap);
    DeleteDC(memoryDc_);
    DeleteObject(bitmap_);
    memoryDc_ = nullptr;
    bitmap_ = nullptr;
    previousBitmap = nullptr;
    clientWidth = 0;
    clientHeight = 0;
}

void GdiBackBuffer::fill(int left, int top, int right, int bottom, Colour colour) {
    if (memoryDc_ == nullptr || right <= left || bottom <= top) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previous = SelectObject(memoryDc_, brush);
    PatBlt(memoryDc_, left, top, right - left, bottom - top, PATCOPY);
    SelectObject(memoryDc_, previous);
    DeleteObject(brush);
}

void GdiBackBuffer::blit(const Bitmap* bitmap, int x, int y, int w, int h, int sx, int sy) {
    const auto* picture = dynamic_cast<const GdiBitmap*>(bitmap);
    if (memoryDc_ == nullptr || picture == nullptr) {
        return;
    }
    BlitBitmap(memoryDc_, picture->handle(), x, y, w, h, sx, sy);
}

void GdiBackBuffer::box(int left, int top, int right, int bottom, int penWidth, Colour pen, Colour brush) {
    if (memoryDc_ == nullptr) {
        return;
    }
    DrawBox(memoryDc_, left, top, right, bottom, penWidth, pen, brush);
}

void GdiBackBuffer::setTextAlign(TextAlign align) {
    if (memoryDc_ == nullptr) {
        return;
    }
    ::SetTextAlign(memoryDc_, (align == TextAlign::Centre ? TA_CENTER : TA_LEFT) | TA_TOP | TA_NOUPDATECP);
}

void GdiBackBuffer::setTextColour(Colour colour) {
    if (memoryDc_ == nullptr) {
        return;
    }
    SetTextColor(memoryDc_, colour);
}

void GdiBackBuffer::text(FontFace face, int height, int x, int y, std::string_view utf8) {
    if (memoryDc_ == nullptr) {
        return;
    }
    const std::wstring wide = Widen(utf8);
    HFONT font = nullptr;
    if (face != FontFace::Default) {
        font = MakeFont(face == FontFace::Gothic ? gothic : pGothic, height);
    }
    HGDIOBJ previous = font != nullptr ? SelectObject(memoryDc_, font) : nullptr;
    TextOutW(memoryDc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    if (font != nullptr) {
        SelectObject(memoryDc_, previous);
        DeleteObject(font);
    }
}

} // namespace tf

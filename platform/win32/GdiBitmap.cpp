#include "platform/win32/GdiBitmap.h"

namespace tf {

GdiBitmap::GdiBitmap(HBITMAP bitmap) : bitmap(bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) != 0) {
        size = {info.bmWidth, info.bmHeight};
    }
}

GdiBitmap::~GdiBitmap() {
    DeleteObject(bitmap);
}

} // namespace tf

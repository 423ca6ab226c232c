#pragma once

#include "platform/win32/WinApi.h"

namespace tf::test {

/// A hidden top-level window whose client area is `width` x `height`, destroyed with the object.
/// `handle()` is null where no window can be made (no display).
class TestWindow {
public:
    TestWindow(int width, int height) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TonefallsTestWindow";
        RegisterClassW(&windowClass);
        const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT outer{0, 0, width, height};
        AdjustWindowRect(&outer, style, FALSE);
        window = CreateWindowExW(0, windowClass.lpszClassName, L"test", style, 0, 0, outer.right - outer.left,
                                 outer.bottom - outer.top, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~TestWindow() {
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window; }

private:
    HWND window = nullptr;
};

} // namespace tf::test

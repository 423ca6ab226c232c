#include "platform/win32/CentreOver.h"

#include <algorithm>

namespace tf {

namespace {

// One hook per thread at a time: message boxes and dialogs are modal, so a nested one (a box
// over the part dialog) takes over and gives the outer owner back when it ends.
thread_local HWND centreOwner = nullptr;
thread_local bool centreDone = true;

LRESULT CALLBACK CentreOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !centreDone) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (window != centreOwner) {
            centreDone = true;
            CentreOver(window, centreOwner);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void CentreOver(HWND window, HWND owner) {
    RECT outer{};
    RECT own{};
    if (window == nullptr || owner == nullptr || !GetWindowRect(window, &own) ||
        !GetWindowRect(owner, &outer)) {
        return;
    }
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    LONG x = outer.left + (outer.right - outer.left - width) / 2;
    LONG y = outer.top + (outer.bottom - outer.top - height) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max(work.left, std::min(x, work.right - width));
        y = std::max(work.top, std::min(y, work.bottom - height));
    }
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CentreNextWindowOver::CentreNextWindowOver(HWND owner)
    : previousOwner(centreOwner), previousDone(centreDone) {
    if (owner == nullptr) {
        return;
    }
    centreOwner = owner;
    centreDone = false;
    hook = SetWindowsHookExW(WH_CBT, CentreOnActivate, nullptr, GetCurrentThreadId());
}

CentreNextWindowOver::~CentreNextWindowOver() {
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
    }
    centreOwner = previousOwner;
    centreDone = previousDone;
}

} // namespace tf

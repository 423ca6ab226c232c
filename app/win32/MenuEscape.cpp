#include "app/win32/MenuEscape.h"

namespace tf {

namespace {

/// Posted when a menu has closed: by the time it arrives, the next menu (moving along the bar
/// with the arrows) has opened.
constexpr UINT MenuClosedMessage = WM_APP + 17;

} // namespace

bool MenuEscape::handle(HWND window, UINT message) {
    switch (message) {
    case WM_ENTERMENULOOP:
        inMenuLoop = true;
        openMenus = 0;
        return false;
    case WM_EXITMENULOOP:
        inMenuLoop = false;
        openMenus = 0;
        return false;
    case WM_INITMENUPOPUP:
        ++openMenus;
        return false;
    case WM_UNINITMENUPOPUP:
        if (openMenus > 0 && --openMenus == 0) {
            PostMessageW(window, MenuClosedMessage, 0, 0);
        }
        return false;
    case MenuClosedMessage:
        if (inMenuLoop && openMenus == 0) {
            EndMenu();
        }
        return true;
    default:
        return false;
    }
}

} // namespace tf

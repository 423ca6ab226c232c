#pragma once

#include "platform/win32/WinApi.h"

namespace tf {

/// Moves `window` so that its centre lies on `owner`'s, kept inside the work area of the
/// owner's monitor. Nothing happens when either is null.
void CentreOver(HWND window, HWND owner);

/// While one lives, the next window this thread activates other than `owner` (a message box,
/// the file chooser) is centred over `owner` as it comes up: those windows are made by Windows
/// itself, which places them where it likes. A null `owner` does nothing.
class CentreNextWindowOver {
public:
    explicit CentreNextWindowOver(HWND owner);
    ~CentreNextWindowOver();
    CentreNextWindowOver(const CentreNextWindowOver&) = delete;
    CentreNextWindowOver& operator=(const CentreNextWindowOver&) = delete;

private:
    HHOOK hook = nullptr;
    HWND previousOwner = nullptr;
    bool previousDone = false;
};

} // namespace tf

#pragma once

#include <windows.h>

namespace tf {

/// A menu closed with Esc leaves Windows' menu loop running, its title highlighted in the menu
/// bar: the next Enter opens the menu again and the next Esc only ends the loop, so neither
/// reaches the game. Once a menu has closed and no other opened in its place, this ends the loop.
/// The bar reached with Alt or F10 alone, no menu open yet, stays the player's.
class MenuEscape {
public:
    /// Sees every message of the window first; true when the message was this one's own.
    bool handle(HWND window, UINT message);

private:
    bool inMenuLoop = false;
    int openMenus = 0;
};

} // namespace tf

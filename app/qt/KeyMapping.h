#pragma once

#include <cstdint>

namespace tf {

/// The Windows virtual-key code of a key press, from the toolkit's key number (`qtKey`, a Qt
/// key value) and the X11 keycode of the physical key (`x11Keycode`, evdev code + 8; 0 when
/// unknown). Letter, digit and punctuation keys are taken by their place on the keyboard when
/// the keycode names one, so a lane plays the same key whatever the layout; the punctuation
/// keys get the codes of their US-keyboard place. Enter, Esc, Space and F1-F3 come from `qtKey`.
/// 0 for a key the game has no code for.
std::uint32_t VirtualKeyFromKeyEvent(int qtKey, std::uint32_t x11Keycode);

} // namespace tf

#pragma once

#include <cstddef>
#include <cstdint>

namespace tf {

/// The keys by name, as Windows virtual-key codes. These numbers are what the key file stores
/// and what every seam (`KeyState`, `KeyLatch`, the shell's `keyDown`) speaks on every platform,
/// so a key is always written by its name here, never by its number.

/// Every code is below this: a key state keeps one flag for each.
inline constexpr std::size_t KeyCodeCount = 256;

inline constexpr std::uint32_t VkReturn = 0x0D;
inline constexpr std::uint32_t VkEscape = 0x1B;
inline constexpr std::uint32_t VkSpace = 0x20;

/// The digit keys of the main block: '0' to '9'.
inline constexpr std::uint32_t Vk0 = 0x30;
inline constexpr std::uint32_t Vk1 = 0x31;
inline constexpr std::uint32_t Vk2 = 0x32;
inline constexpr std::uint32_t Vk3 = 0x33;
inline constexpr std::uint32_t Vk4 = 0x34;
inline constexpr std::uint32_t Vk5 = 0x35;
inline constexpr std::uint32_t Vk6 = 0x36;
inline constexpr std::uint32_t Vk7 = 0x37;
inline constexpr std::uint32_t Vk8 = 0x38;
inline constexpr std::uint32_t Vk9 = 0x39;

/// The letter keys: the code of each is its capital letter.
inline constexpr std::uint32_t VkA = 0x41;
inline constexpr std::uint32_t VkB = 0x42;
inline constexpr std::uint32_t VkC = 0x43;
inline constexpr std::uint32_t VkD = 0x44;
inline constexpr std::uint32_t VkE = 0x45;
inline constexpr std::uint32_t VkF = 0x46;
inline constexpr std::uint32_t VkG = 0x47;
inline constexpr std::uint32_t VkH = 0x48;
inline constexpr std::uint32_t VkI = 0x49;
inline constexpr std::uint32_t VkJ = 0x4A;
inline constexpr std::uint32_t VkK = 0x4B;
inline constexpr std::uint32_t VkL = 0x4C;
inline constexpr std::uint32_t VkM = 0x4D;
inline constexpr std::uint32_t VkN = 0x4E;
inline constexpr std::uint32_t VkO = 0x4F;
inline constexpr std::uint32_t VkP = 0x50;
inline constexpr std::uint32_t VkQ = 0x51;
inline constexpr std::uint32_t VkR = 0x52;
inline constexpr std::uint32_t VkS = 0x53;
inline constexpr std::uint32_t VkT = 0x54;
inline constexpr std::uint32_t VkU = 0x55;
inline constexpr std::uint32_t VkV = 0x56;
inline constexpr std::uint32_t VkW = 0x57;
inline constexpr std::uint32_t VkX = 0x58;
inline constexpr std::uint32_t VkY = 0x59;
inline constexpr std::uint32_t VkZ = 0x5A;

inline constexpr std::uint32_t VkF1 = 0x70;
inline constexpr std::uint32_t VkF2 = 0x71;
inline constexpr std::uint32_t VkF3 = 0x72;
inline constexpr std::uint32_t VkF4 = 0x73;
inline constexpr std::uint32_t VkF11 = 0x7A;

/// The punctuation keys, named by what they type unshifted on a US keyboard.
inline constexpr std::uint32_t VkSemicolon = 0xBA;
inline constexpr std::uint32_t VkEquals = 0xBB;
inline constexpr std::uint32_t VkComma = 0xBC;
inline constexpr std::uint32_t VkMinus = 0xBD;
inline constexpr std::uint32_t VkPeriod = 0xBE;
inline constexpr std::uint32_t VkSlash = 0xBF;
inline constexpr std::uint32_t VkBackquote = 0xC0;
inline constexpr std::uint32_t VkOpenBracket = 0xDB;
inline constexpr std::uint32_t VkBackslash = 0xDC;
inline constexpr std::uint32_t VkCloseBracket = 0xDD;
inline constexpr std::uint32_t VkQuote = 0xDE;
/// The extra key of ISO keyboards, left of Z ("<" on many layouts).
inline constexpr std::uint32_t VkIsoExtra = 0xE2;

/// The digit key `digit` (0-9).
constexpr std::uint32_t DigitKey(int digit) {
    return Vk0 + static_cast<std::uint32_t>(digit);
}

/// The letter key at `index` in the alphabet (0 for A, 25 for Z).
constexpr std::uint32_t LetterKey(int index) {
    return VkA + static_cast<std::uint32_t>(index);
}

} // namespace tf

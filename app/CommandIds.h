#pragma once

#include <cstdint>

namespace tf {

/// The menu and accelerator commands of the main window.
inline constexpr int AboutCommand = 104;
inline constexpr int ExitCommand = 105;
inline constexpr int StartCommand = 129;
inline constexpr int HelpCommand = 130;

/// The standard button ids every dialog uses.
inline constexpr int OkButton = 1;
inline constexpr int CancelButton = 2;

/// The Windows virtual-key codes the main window acts on.
inline constexpr std::uint32_t VkReturn = 13;
inline constexpr std::uint32_t VkEscape = 27;
inline constexpr std::uint32_t VkF1 = 112;
inline constexpr std::uint32_t VkF2 = 113;
inline constexpr std::uint32_t VkF3 = 114;

} // namespace tf

#pragma once

#include <filesystem>
#include <string>

namespace tf {

/// The pictures the window loads once, in this order.
inline constexpr const char* MainBitmapFile = "main.bmp";
inline constexpr const char* TitleBitmapFile = "title.bmp";
inline constexpr const char* ResultBitmapFile = "result.bmp";

/// Where the pictures are read from: the working directory, unless it has no "main.bmp" and
/// the installed data directory (may be empty) has one, so that an installed game started from
/// anywhere still finds them.
std::filesystem::path DataDirectory(const std::filesystem::path& workingDirectory,
                                    const std::filesystem::path& installedDirectory);

/// The help page "help/help.html" of the start directory; when the start directory has none
/// and the installed data directory has it, that one.
std::filesystem::path HelpPagePath(const std::filesystem::path& startDirectory,
                                   const std::filesystem::path& installedDirectory);

} // namespace tf

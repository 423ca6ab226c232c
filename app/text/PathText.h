#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tf {

/// A path as UTF-8 text, for the screen and for the settings file. On Windows the path's UTF-16
/// name is converted (an unpaired surrogate becomes U+FFFD); elsewhere its bytes are the text.
std::string PathText(const std::filesystem::path& path);
/// The last part of a path, the file's name, as UTF-8 text for the screen.
std::string FileNameText(const std::filesystem::path& path);
/// UTF-8 text (the settings file's) as a path; empty when it is not UTF-8 that the system can
/// make a path of.
std::filesystem::path PathFromText(std::string_view utf8);

} // namespace tf

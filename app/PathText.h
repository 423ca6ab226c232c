#pragma once

#include <string>

namespace tf {

/// A path as the file calls take it (on Windows in the system's code page), as UTF-8 text for
/// the screen. A path the system cannot convert comes back as it is.
std::string PathText(const std::string& path);
/// The last part of a path, the file's name, as UTF-8 text for the screen.
std::string FileNameText(const std::string& path);

} // namespace tf

#pragma once

#include <filesystem>
#include <string_view>

namespace tf {

/// The game's folder of one kind under the XDG base directory rule: "VALUE/tonefalls" when the
/// variable's value `xdgValue` is an absolute path (a relative one is invalid and ignored, as if
/// unset), else "HOME/`homeDefault`/tonefalls"; empty when neither is usable. Empty arguments
/// stand for unset variables.
std::filesystem::path XdgFolder(std::string_view xdgValue, std::string_view home,
                                const std::filesystem::path& homeDefault);
/// `XdgFolder` of this process's environment variable `variable` and HOME.
std::filesystem::path XdgFolderOfEnvironment(const char* variable, const std::filesystem::path& homeDefault);

} // namespace tf

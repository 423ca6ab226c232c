#include "platform/XdgFolder.h"

#include <cstdlib>

namespace tf {

std::filesystem::path XdgFolder(std::string_view xdgValue, std::string_view home,
                                const std::filesystem::path& homeDefault) {
    const std::filesystem::path xdg(xdgValue);
    if (!xdgValue.empty() && xdg.is_absolute()) {
        return xdg / "tonefalls";
    }
    const std::filesystem::path homeFolder(home);
    if (!home.empty() && homeFolder.is_absolute()) {
        return homeFolder / homeDefault / "tonefalls";
    }
    return {};
}

std::filesystem::path XdgFolderOfEnvironment(const char* variable, const std::filesystem::path& homeDefault) {
    const char* xdg = std::getenv(variable);
    const char* home = std::getenv("HOME");
    return XdgFolder(xdg != nullptr ? xdg : "", home != nullptr ? home : "", homeDefault);
}

} // namespace tf

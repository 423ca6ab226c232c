#include "app/settings/PathChecks.h"

#include <exception>
#include <system_error>

namespace tf {

bool PathExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::filesystem::path AbsoluteOrSame(const std::filesystem::path& path) {
    try {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(path, error);
        return error ? path : absolute;
    } catch (const std::exception&) {
        return path;
    }
}

} // namespace tf

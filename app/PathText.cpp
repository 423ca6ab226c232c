#include "app/PathText.h"

#include <exception>
#include <filesystem>

namespace tf {

namespace {

std::string FromU8(const std::u8string& text) {
    return std::string(text.begin(), text.end());
}

} // namespace

std::string PathText(const std::string& path) {
    try {
        return FromU8(std::filesystem::path(path).u8string());
    } catch (const std::exception&) {
        return path;
    }
}

std::string FileNameText(const std::string& path) {
    try {
        return FromU8(std::filesystem::path(path).filename().u8string());
    } catch (const std::exception&) {
        return path;
    }
}

} // namespace tf

#include "app/text/PathText.h"

#include <exception>
#include <type_traits>

namespace tf {

namespace {

// Used only where paths are UTF-16 (Windows); elsewhere the template below never calls it.
[[maybe_unused]] void AppendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | code >> 18);
        text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

/// Windows names are UTF-16 that need not be well formed; the library's own conversion throws
/// on such a name, and a name on the screen must never end the game.
template <typename Char> std::string NativeText(std::basic_string_view<Char> native) {
    if constexpr (sizeof(Char) == 1) {
        return std::string(native.begin(), native.end());
    } else {
        std::string text;
        text.reserve(native.size());
        for (std::size_t i = 0; i < native.size(); ++i) {
            const auto unit = static_cast<char32_t>(native[i]);
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < native.size()) {
                const auto low = static_cast<char32_t>(native[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    ++i;
                    continue;
                }
            }
            AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : unit);
        }
        return text;
    }
}

} // namespace

std::string PathText(const std::filesystem::path& path) {
    return NativeText(std::basic_string_view<std::filesystem::path::value_type>(path.native()));
}

std::string FileNameText(const std::filesystem::path& path) {
    return PathText(path.filename());
}

std::filesystem::path PathFromText(std::string_view utf8) {
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace tf

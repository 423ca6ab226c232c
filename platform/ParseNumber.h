#pragma once

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace tf {

/// The number a whole text spells, in the plain form std::from_chars reads (no sign for
/// unsigned types, no blanks, no "+"); nothing for an empty text, trailing characters or a value
/// out of the type's range. Command lines and port names are read with it.
template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace tf

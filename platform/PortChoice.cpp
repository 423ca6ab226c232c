#include "platform/PortChoice.h"

#include "platform/ParseNumber.h"

#include <algorithm>

namespace tf {

std::optional<std::size_t> ChooseMidiPort(std::span<const std::string> names, std::string_view selector) {
    if (const auto index = ParseNumber<std::size_t>(selector)) {
        if (*index < names.size()) {
            return *index;
        }
        return std::nullopt;
    }
    if (selector.empty()) {
        return std::nullopt;
    }
    // An exact name wins over a port whose name merely contains the selector.
    auto match = std::find(names.begin(), names.end(), selector);
    if (match == names.end()) {
        match = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return name.find(selector) != std::string::npos;
        });
    }
    if (match == names.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(match - names.begin());
}

} // namespace tf

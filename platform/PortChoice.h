#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tf {

/// The index in `names` of the port `selector` picks: a number below the count picks that
/// entry; otherwise the name equal to `selector`, else the first that contains it. Null when none
/// fits (an empty selector picks none). MIDI outputs and inputs are chosen alike.
std::optional<std::size_t> ChooseMidiPort(std::span<const std::string> names, std::string_view selector);

} // namespace tf

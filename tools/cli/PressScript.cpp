#include "tools/cli/PressScript.h"

#include <algorithm>
#include <charconv>

namespace tf::cli {

namespace {

constexpr int LastLane = 14;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

/// Reads a decimal number at the start of `text` and removes it; null when there is none or it
/// does not fit.
template <typename Number> std::optional<Number> TakeNumber(std::string_view& text) {
    Number value{};
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || stop == text.data()) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(stop - text.data()));
    return value;
}

/// Null when `line` is not "<ms> <lane>"; `error` then says why.
std::optional<Press> ParseLine(std::string_view line, std::string& error) {
    std::string_view rest = line;
    const auto ms = TakeNumber<std::uint32_t>(rest);
    const bool separated = !rest.empty() && IsBlank(rest.front());
    rest = Trimmed(rest);
    const auto lane = separated ? TakeNumber<int>(rest) : std::nullopt;
    if (!ms || !lane || !rest.empty()) {
        error = "expected '<ms> <lane>', got '" + std::string(line) + "'";
        return std::nullopt;
    }
    if (*lane < 0 || *lane > LastLane) {
        error = "lane " + std::to_string(*lane) + " is not between 0 and 14";
        return std::nullopt;
    }
    return Press{*ms, *lane};
}

} // namespace

PressScript::PressScript(std::vector<Press> list) : presses(std::move(list)) {
    std::stable_sort(presses.begin(), presses.end(),
                     [](const Press& a, const Press& b) { return a.ms < b.ms; });
}

void PressScript::deliverUpTo(std::uint32_t songTime, const KeyBindings& bindings, KeyLatch& latch) {
    for (; next < presses.size() && presses[next].ms <= songTime; ++next) {
        latch.press(bindings.primaryKey(presses[next].lane));
    }
}

ParsedPresses ParsePresses(std::string_view text) {
    std::vector<Press> presses;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::string error;
        const auto press = ParseLine(line, error);
        if (!press) {
            return {std::nullopt, "line " + std::to_string(lineNumber) + ": " + error};
        }
        presses.push_back(*press);
    }
    return {PressScript(std::move(presses)), {}};
}

} // namespace tf::cli

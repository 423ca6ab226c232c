#pragma once

#include <string>
#include <vector>

namespace tf::test {

/// The lines of a program's output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

/// The log lines of one controller sent on the sixteen channels in ascending order at `ms`.
inline std::vector<std::string> ControllerOnAllChannels(const std::string& ms,
                                                        const std::string& controller) {
    std::vector<std::string> lines;
    for (const char* status :
         {"B0", "B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "BA", "BB", "BC", "BD", "BE", "BF"}) {
        lines.push_back(ms + " " + status + " " + controller + " 00");
    }
    return lines;
}

/// `a` followed by `b`.
inline std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace tf::test

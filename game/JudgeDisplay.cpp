#include "game/JudgeDisplay.h"

#include <algorithm>
#include <cstddef>

namespace tf {

namespace {

constexpr std::array<std::string_view, 5> labelTexts{"PRF", "GRT", "GD", "OK", "BD"};

} // namespace

void JudgeDisplay::reset() {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i] = {};
        std::copy(labelTexts[i].begin(), labelTexts[i].end(), labels[i].begin());
    }
    current_ = 0;
    combo_ = 0;
    displayTimer_.zero();
    displayTimer_.setDuration(500);
}

std::string_view JudgeDisplay::currentLabel() const {
    const auto& label = labels[static_cast<std::size_t>(current_ >= 0 && current_ <= 4 ? current_ : 4)];
    const auto end = std::find(label.begin(), label.end(), '\0');
    return {label.data(), static_cast<std::size_t>(end - label.begin())};
}

} // namespace tf

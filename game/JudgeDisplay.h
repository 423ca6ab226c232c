#pragma once

#include "game/TickTimer.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tf {

/// The judgement to show, its label texts and the combo.
class JudgeDisplay {
public:
    /// Label texts written, current and combo 0, the display timer zeroed with 500 ms.
    void reset();
    /// `index` 0 to 4; any other value shows BAD.
    void setCurrent(std::int32_t index) { current_ = (index >= 0 && index <= 4) ? index : 4; }
    void addCombo() { ++combo_; }
    void clearCombo() { combo_ = 0; }
    std::string_view currentLabel() const;
    std::int32_t current() const { return current_; }
    std::int32_t combo() const { return combo_; }
    TickTimer& displayTimer() { return displayTimer_; }

private:
    TickTimer displayTimer_;
    std::array<std::array<char, 16>, 5> labels{};
    std::int32_t current_ = 0;
    std::int32_t combo_ = 0;
};

} // namespace tf

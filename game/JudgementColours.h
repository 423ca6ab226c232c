#pragma once

#include "game/Judgement.h"
#include "platform/Surface.h"

#include <array>
#include <cstddef>

namespace tf {

/// The one colour of each judgement wherever judgements are told apart by colour: the chips
/// beside the counters on the play-field and result pictures, the ticks of the hit-error bar and
/// the bars of the result's histogram. Indexed by `Judgement`; 0x00BBGGRR.
inline constexpr std::array<Colour, 5> JudgementColours = {
    Rgb(255, 200, 40), // PERFECT: gold
    Rgb(255, 150, 40), // GREAT: orange
    Rgb(70, 190, 100), // GOOD: green
    Rgb(70, 150, 240), // OK: blue
    Rgb(240, 70, 80),  // BAD: red
};

constexpr Colour JudgementColour(Judgement judgement) {
    const auto index = static_cast<std::size_t>(judgement);
    return index < JudgementColours.size() ? JudgementColours[index] : JudgementColours[Bad];
}

} // namespace tf

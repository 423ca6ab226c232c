#pragma once

#include "app/screens/TimingReport.h"
#include "app/shell/AppState.h"
#include "app/text/Language.h"
#include "game/JudgeTally.h"
#include "platform/Surface.h"

#include <array>
#include <string>
#include <string_view>

namespace tf {

/// The title prompt's colour and the result screen's text colour (0x00BBGGRR).
inline constexpr Colour TextBlue = 0x00FF3333;
/// The result mark's colour (0x00BBGGRR).
inline constexpr Colour MarkRed = 0x003333FF;

/// Everything the result screen writes, worked out from the counters alone.
struct ResultSheet {
    /// PERFECT, GREAT, GOOD, OK, BAD: count and truncated percentage, as printed.
    std::array<std::string, 5> lines;
    /// p(PERFECT) + p(GREAT) in percent, untruncated; 0 when nothing was judged.
    double score = 0.0;
    /// "PRF", "GRT", "GD", "OK" or "BD" for a run that judged something; "AUTO PLAY" after an
    /// AUTO PLAY run; empty when nothing was judged otherwise (no part chosen, or parts without
    /// notes). A run that judged nothing is never graded.
    std::string mark;
};

/// The mark that stands for an AUTO PLAY run on the result screen.
inline constexpr std::string_view AutoPlayMark = "AUTO PLAY";

/// The percentage of `count` in `total`, as (count x (1.0 / total)) x 100.0 in that order, so
/// that 49 of 49 gives 99.99999999999999. A total of 0 gives 0.
double JudgePercent(std::int64_t count, std::int64_t total);
/// The mark for a score in percent; every threshold is passed only when strictly exceeded.
std::string ResultMark(double score);
/// The sheet of a run with these counters; `autoPlay` when the run played itself.
ResultSheet MakeResultSheet(const JudgeTally& tally, bool autoPlay = false);

/// Clears the client area to white, then draws the title screen for `AppState::Title` or the
/// result screen for `AppState::Result`; play leaves the white area. A null bitmap leaves the white showing.
/// Leaves the text alignment and colour as its last text set them. `autoPlay` says that the run
/// the result screen reports played itself (see `ResultSheet::mark`). `timing` (null: none), when
/// it counts any press, adds the run's timing under the counters, in `language`: the histogram
/// of the errors, the median, mean and spread, and the offset offer. The title's prompt and the
/// result's heading are in `language` too; the judgements and marks read the same in every language.
void DrawScreen(Surface& surface, AppState appState, const Bitmap* title, const Bitmap* result,
                const JudgeTally& tally, bool autoPlay = false, const TimingReport* timing = nullptr,
                Language language = Language::Japanese);

/// The colour the result screen's histogram gives the bars of a judgement window (0x00BBGGRR).
Colour WindowBarColour(Judgement judgement);

/// Writes `text` in a box across the middle of the lanes, over whatever the play field shows:
/// the mark of a paused play. Leaves the alignment centred and the colour white.
void DrawPauseLabel(Surface& surface, std::string_view text);

} // namespace tf

#pragma once

#include "app/screens/TimingReport.h"
#include "app/shell/AppState.h"
#include "app/text/Language.h"
#include "game/JudgeTally.h"
#include "game/ResultSheet.h"
#include "platform/Surface.h"

#include <array>
#include <string>
#include <string_view>

namespace tf {

/// The title prompt's colour and the result screen's text colour (0x00BBGGRR).
inline constexpr Colour TextBlue = 0x00FF3333;
/// The result mark's colour (0x00BBGGRR).
inline constexpr Colour MarkRed = 0x003333FF;

/// Clears the client area to white, then draws the title screen for `AppState::Title` or the
/// result screen for `AppState::Result`; play leaves the white area. A null bitmap leaves the white showing.
/// Leaves the text alignment and colour as its last text set them. `autoPlay` says that the run
/// the result screen reports played itself (see `ResultSheet::mark`). `timing` (null: none), when
/// it counts any press, adds the run's timing under the counters, in `language`: the histogram
/// of the errors, the median, mean and spread, and the offset offer. The title's prompt and the
/// result's heading are in `language` too; the judgements and marks read the same in every language.
/// The result names `song` under its heading (nothing when empty) and its keys in a quiet line
/// under that, F4 only while the offset offer stands.
void DrawScreen(Surface& surface, AppState appState, const Bitmap* title, const Bitmap* result,
                const JudgeTally& tally, bool autoPlay = false, const TimingReport* timing = nullptr,
                Language language = Language::Japanese, std::string_view song = {});

/// The result screen's line of keys, in `language`: Enter, F3, F4 when `offer`, Esc.
std::string ResultKeysLine(bool offer, Language language);

/// Writes `text` in a box across the middle of the lanes, over whatever the play field shows:
/// the mark of a paused play. Leaves the alignment centred and the colour white.
void DrawPauseLabel(Surface& surface, std::string_view text);

} // namespace tf
